#include "GuiTest.h"

#include <QLabel>

using Translations = QMap<QString, QString>; // file name -> translation of "Pick", or "garbage"

class tst_Translation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstFileWins_data();
    void firstFileWins();
    void textsFit_data();
    void textsFit();

private:
    void install(const QString &fileName, const QString &pick);
    void compile(const QString &ts, const QString &target);
    void removeTranslations();

    std::optional<ScratchFolder> scratch;
};

void tst_Translation::init()
{
    scratch.emplace();
    QVERIFY(scratch->current);
    writeFile("FileTypeGroup", {});
    removeTranslations();
}

void tst_Translation::cleanup()
{
    removeTranslations();
    scratch.reset();
}

void tst_Translation::removeTranslations()
{
    QDir appDir(QCoreApplication::applicationDirPath());
    for (const QString &name : appDir.entryList({QStringLiteral("*.qm"), QStringLiteral("*.ts")}))
        QVERIFY(appDir.remove(name));
}

// Compiles a translation of the main form into the application directory.
void tst_Translation::install(const QString &fileName, const QString &pick)
{
    const QString target = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    if (pick == QLatin1String("garbage")) {
        writeFile(target, "this is not a translation file");
        return;
    }
    const QString ts = QStringLiteral(R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS><TS version="2.1" language="de">
<context><name>TrovellaClass</name>
<message><source>Pick</source><translation>%1</translation></message>
</context>
</TS>
)")
                               .arg(pick);
    QTemporaryDir tsDir;
    const QString tsPath = tsDir.filePath(QStringLiteral("t.ts"));
    writeFile(tsPath, ts.toUtf8());
    compile(tsPath, target);
}

void tst_Translation::compile(const QString &ts, const QString &target)
{
    QCOMPARE(runQuietly(LRELEASE, {"-silent", ts, "-qm", target}), 0);
    QVERIFY(QFile::exists(target));
}

void tst_Translation::firstFileWins_data()
{
    QTest::addColumn<Translations>("files");
    QTest::addColumn<QString>("pick");
    QTest::newRow("no translation") << Translations() << "Pick";
    QTest::newRow("case ignored") << Translations {{"B.qm", "Bee"}, {"a.qm", "Aye"}} << "Aye";
    QTest::newRow("unloadable first")
            << Translations {{"a.qm", "garbage"}, {"b.qm", "Bee"}} << "Pick";
    QTest::newRow("other files ignored") << Translations {{"b.qm", "Bee"}} << "Bee";
}

void tst_Translation::firstFileWins()
{
    QFETCH(Translations, files);
    QFETCH(QString, pick);
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        install(it.key(), it.value());
    writeFile(QCoreApplication::applicationDirPath() + "/0.txt", {});

    Trovella w;
    QCOMPARE(widget<QPushButton>(&w, "bnPick")->text(), pick);
    // Later texts never see the translator: it is gone once the window is built.
    QCOMPARE(QCoreApplication::translate("TrovellaClass", "Pick"), QStringLiteral("Pick"));
    QFile::remove(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("0.txt")));
}

void tst_Translation::textsFit_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"", "de", "zh_CN"})
        QTest::newRow(*language ? language : "en") << QString(language);
}

// Every label and button shows its whole text at the form's 9 points.
void tst_Translation::textsFit()
{
    QFETCH(QString, language);
    if (!language.isEmpty())
        compile(QString(TROVELLA_SOURCE_DIR "/translations/trovella_%1.ts").arg(language),
                QCoreApplication::applicationDirPath() + "/" + language + ".qm");
    Trovella w;
    w.show();
    for (QWidget *widget : w.centralWidget()->findChildren<QWidget *>()) {
        if (qobject_cast<QLabel *>(widget) || qobject_cast<QPushButton *>(widget))
            QVERIFY2(widget->width() >= widget->sizeHint().width(),
                     qPrintable(widget->property("text").toString()));
    }
}

TROVELLA_GUI_TEST_MAIN(tst_Translation)
#include "tst_translation.moc"
