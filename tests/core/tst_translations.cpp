#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString context;
    QString source;
    QStringList translations; // one per plural form
    QString type;
};

QList<Message> readTs(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message {context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            // Plural forms come as numerusform children; a plain text is the only form.
            while (!(xml.isEndElement() && xml.name() == QLatin1String("translation"))) {
                xml.readNext();
                if (xml.isCharacters() && !xml.isWhitespace())
                    message.translations << xml.text().toString();
                if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                    message.translations << xml.readElementText();
            }
            messages << message;
        }
    }
    return messages;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();

private:
    QList<Message> sourceTexts;
    QTemporaryDir scratch;
};

void tst_Translations::initTestCase()
{
    // What the sources ask to translate right now, extracted afresh.
    const QString ts = scratch.filePath(QStringLiteral("current.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(TROVELLA_SOURCE_DIR));
    lupdate.start(QStringLiteral(LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("app"), QStringLiteral("mainwindow"),
                   QStringLiteral("groups"), QStringLiteral("companion"),
                   QStringLiteral("launcher"), QStringLiteral("-ts"), ts});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);
    sourceTexts = readTs(ts);
    QVERIFY(sourceTexts.size() > 20);
}

void tst_Translations::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("pluralForms");
    QTest::newRow("German") << "trovella_de.ts" << 2;
    QTest::newRow("Simplified Chinese") << "trovella_zh_CN.ts" << 1;
}

void tst_Translations::everyTextIsTranslated()
{
    QFETCH(QString, file);
    QFETCH(int, pluralForms);
    const QList<Message> translated
            = readTs(QStringLiteral(TROVELLA_SOURCE_DIR "/translations/") + file);
    QVERIFY(!translated.isEmpty());
    for (const Message &wanted : std::as_const(sourceTexts)) {
        const auto found
                = std::find_if(translated.cbegin(), translated.cend(), [&](const Message &m) {
                      return m.context == wanted.context && m.source == wanted.source;
                  });
        const QByteArray what = (wanted.context + QLatin1String(": ") + wanted.source).toUtf8();
        QVERIFY2(found != translated.cend(), what.constData());
        QVERIFY2(found->type.isEmpty(), what.constData()); // not unfinished, not vanished
        // %Ln is %n with the locale's digit grouping.
        const QString count = wanted.source.contains(QLatin1String("%Ln")) ? "%Ln" : "%n";
        const bool plural = wanted.source.contains(count);
        QCOMPARE(found->translations.size(), plural ? pluralForms : 1);
        for (const QString &text : found->translations) {
            QVERIFY2(!text.trimmed().isEmpty(), what.constData());
            if (plural)
                QVERIFY2(text.contains(count), what.constData());
        }
    }
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
