#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every question the windows ask the user goes through here, so that a test can give the
// next answer instead of driving a modal dialog.
class Prompt
{
public:
    // The folder chosen, or an empty string when the user cancels.
    static QString folder(QWidget *parent, const QString &title, const QString &start);
    // The file to save to, proposing start, or an empty string when the user cancels.
    static QString saveFile(QWidget *parent, const QString &title, const QString &start,
                            const QString &filter);
    // Yes or No; No unless the user says Yes.
    static QMessageBox::StandardButton question(QWidget *parent, const QString &title,
                                                const QString &text);
    static void warning(QWidget *parent, const QString &title, const QString &text);
    static void information(QWidget *parent, const QString &title, const QString &text);

    // The next folder or saveFile call returns path (an empty path cancels) without a dialog.
    static void setNextFolder(const QString &path);
    // The next question or warning returns answer without showing a box.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // The text of the last question or warning since setNextAnswer, or an empty string.
    static QString lastText();
    // Where the last folder chooser since setNextFolder opened, or an empty string.
    static QString lastStart();
};
