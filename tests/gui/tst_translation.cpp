#include "GuiTest.h"

#include <QLabel>

class tst_Translation : public QObject
{
    Q_OBJECT

private slots:
    void translated_data();
    void translated();

private:
    ScratchFolder scratch;
};

void tst_Translation::translated_data()
{
    QTest::addColumn<QStringList>("files"); // "name=language" compiles that language to name
    QTest::addColumn<QString>("pick");
    QTest::newRow("none") << QStringList {"0.txt="} << "Pick";
    QTest::newRow("first by name, case ignored")
            << QStringList {"0.txt=", "B.qm=zh_CN", "a.qm=de"} << "Auswählen";
    QTest::newRow("Chinese") << QStringList {"A.qm=zh_CN", "b.qm=de"} << "挑选";
}

// The first .qm file by name translates the window, and nothing after it; every label and
// button shows its whole text.
void tst_Translation::translated()
{
    QFETCH(QStringList, files);
    QDir appDir(QCoreApplication::applicationDirPath());
    for (const QString &name : appDir.entryList({"*.qm", "*.txt"}))
        QVERIFY(appDir.remove(name));
    for (const QString &file : files) {
        const QString ts
                = TROVELLA_SOURCE_DIR "/translations/trovella_" + file.section('=', 1) + ".ts";
        const QString target = appDir.filePath(file.section('=', 0, 0));
        if (file.endsWith('='))
            writeFile(target, {});
        else
            QCOMPARE(runQuietly(LRELEASE, {"-silent", ts, "-qm", target}), 0);
    }
    writeFile("FileTypeGroup", {});
    Trovella w;
    w.show();
    QTEST(widget<QPushButton>(&w, "bnPick")->text(), "pick");
    QCOMPARE(QCoreApplication::translate("TrovellaClass", "Pick"), "Pick");
    for (QWidget *widget : w.centralWidget()->findChildren<QWidget *>()) {
        if (qobject_cast<QLabel *>(widget) || qobject_cast<QPushButton *>(widget))
            QVERIFY2(widget->width() >= widget->sizeHint().width(),
                     qPrintable(widget->property("text").toString()));
    }
}

TROVELLA_GUI_TEST_MAIN(tst_Translation)
#include "tst_translation.moc"
