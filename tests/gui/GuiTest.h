#pragma once

#include "TestSupport.h"

#include "mainwindow/Prompt.h"
#include "mainwindow/Trovella.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <functional>

// QTEST_MAIN for tests that build the main window: the web view needs a shared GL context.
#define TROVELLA_GUI_TEST_MAIN(TestObject) \
    int main(int argc, char *argv[]) \
    { \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); \
        QApplication app(argc, argv); \
        TestObject tc; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return QTest::qExec(&tc, argc, argv); \
    }

// Runs answer on the next modal widget that opens within 20 s, unless owner goes first.
inline void whenModalOpens(QObject *owner, const std::function<void(QWidget *)> &answer)
{
    auto *timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, ticks = 0]() mutable {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal || ++ticks > 1000)
            timer->deleteLater();
        if (modal)
            answer(modal);
    });
    timer->start(20);
}

template<typename T> T *widget(QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

// Clicks button and chooses folder (or file) in the chooser it opens, cancelling it when
// folder is empty; returns the folder the chooser opened at.
inline QString chooseFolder(QWidget &window, const char *button, const QString &folder)
{
    Prompt::setNextFolder(folder);
    widget<QPushButton>(&window, button)->click();
    return Prompt::lastStart();
}

// The next question or warning gets answer; Prompt::lastText() then holds what it said.
inline void answerNextQuestion(QMessageBox::StandardButton answer)
{
    Prompt::setNextAnswer(answer);
}

// Shows the window and chooses path, made first, as the destination.
inline void chooseDestination(Trovella &window, const QString &path)
{
    window.show();
    QDir().mkpath(path);
    chooseFolder(window, "bnDesFolder", path);
}

inline void scan(Trovella &window, const QString &source)
{
    QMetaObject::invokeMethod(&window, "setSrcFolder", Q_ARG(QString, source));
}

inline QListWidget *typeList(Trovella &window)
{
    return widget<QListWidget>(&window, "listFileTypes");
}

inline QStringList typeTexts(Trovella &window)
{
    QStringList texts;
    for (int row = 0; row < typeList(window)->count(); ++row)
        texts << typeList(window)->item(row)->text();
    return texts;
}

// Scans source and checks the given types (every type for {"*"}); false when the list
// stays empty.
inline bool scanAndCheck(Trovella &window, const QString &source, const QStringList &types)
{
    scan(window, source);
    for (int row = 0; row < typeList(window)->count(); ++row) {
        if (types == QStringList {"*"} || types.contains(typeList(window)->item(row)->text()))
            typeList(window)->item(row)->setCheckState(Qt::Checked);
    }
    return typeList(window)->count() > 0;
}

inline QString statusText(Trovella &window) { return window.statusBar()->currentMessage(); }

inline bool enabled(Trovella &window, const char *name)
{
    return widget<QWidget>(&window, name)->isEnabled();
}

// Chooses the group box's entry that starts with text as a user does, in its list.
inline void chooseGroup(Trovella &window, const QString &text)
{
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(box->findText(text, Qt::MatchStartsWith), 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
}

inline void pick(Trovella &window) { widget<QPushButton>(&window, "bnPick")->click(); }
