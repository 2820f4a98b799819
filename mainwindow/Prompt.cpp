#include "Prompt.h"

#include <QFileDialog>

#include <optional>
#include <utility>

namespace {
std::optional<QString> nextFolder;
std::optional<QMessageBox::StandardButton> nextAnswer;
QString shownText;
QString shownStart;
} // namespace

QString Prompt::folder(QWidget *parent, const QString &title, const QString &start)
{
    shownStart = start;
    if (const auto next = std::exchange(nextFolder, std::nullopt))
        return *next;
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

QString Prompt::saveFile(QWidget *parent, const QString &title, const QString &start,
                         const QString &filter)
{
    shownStart = start;
    if (const auto next = std::exchange(nextFolder, std::nullopt))
        return *next;
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

QMessageBox::StandardButton Prompt::question(QWidget *parent, const QString &title,
                                             const QString &text)
{
    shownText = text;
    if (const auto next = std::exchange(nextAnswer, std::nullopt))
        return *next;
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No);
}

void Prompt::warning(QWidget *parent, const QString &title, const QString &text)
{
    shownText = text;
    if (!std::exchange(nextAnswer, std::nullopt))
        QMessageBox::warning(parent, title, text);
}

void Prompt::information(QWidget *parent, const QString &title, const QString &text)
{
    shownText = text;
    if (!std::exchange(nextAnswer, std::nullopt))
        QMessageBox::information(parent, title, text);
}

void Prompt::setNextFolder(const QString &path)
{
    nextFolder = path;
    shownStart.clear();
}

void Prompt::setNextAnswer(QMessageBox::StandardButton answer)
{
    nextAnswer = answer;
    shownText.clear();
}

QString Prompt::lastText() { return shownText; }

QString Prompt::lastStart() { return shownStart; }
