#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
};

void tst_Translations::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("pluralForms");
    QTest::newRow("German") << "trovella_de.ts" << 2;
    QTest::newRow("Simplified Chinese") << "trovella_zh_CN.ts" << 1;
}

// Brought up to date with what the sources ask to translate right now, a copy of the file
// must keep every message, none unfinished, empty or without its count.
void tst_Translations::everyTextIsTranslated()
{
    QFETCH(QString, file);
    QFETCH(int, pluralForms);
    QTemporaryDir temp;
    const QString original = TROVELLA_SOURCE_DIR "/translations/" + file,
                  copy = temp.filePath(file);
    QVERIFY(QFile::copy(original, copy));
    QProcess lupdate;
    lupdate.setWorkingDirectory(TROVELLA_SOURCE_DIR);
    lupdate.start(LUPDATE,
                  {"-silent", "-no-obsolete", "app", "core", "mainwindow", "groups", "companion",
                   "launcher", "-ts", copy});
    QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
    QFile before(original), after(copy);
    QVERIFY(before.open(QIODevice::ReadOnly) && after.open(QIODevice::ReadOnly));
    const QString text = after.readAll();
    QVERIFY(text.count("<message") > 20);
    QCOMPARE(text.count("<message"), QString(before.readAll()).count("<message"));
    QCOMPARE(text.count("type=\""), 0);
    QCOMPARE(text.count(QRegularExpression("<(translation|numerusform)>\\s*</")), 0);
    QCOMPARE(text.count("<numerusform>"), text.count("numerus=\"yes\"") * pluralForms);
    // "%Ln" is "%n" in the user's digit grouping.
    QCOMPARE(text.count(QRegularExpression("<numerusform>((?!%L?n)[^<])*</numerusform>")), 0);
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
