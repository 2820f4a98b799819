#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

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

// Runs answer on the next modal widget (dialog or message box) that opens within 20 s,
// unless owner is destroyed first.
inline void whenModalOpens(QObject *owner, const std::function<void(QWidget *)> &answer)
{
    auto *timer = new QTimer(owner);
    timer->setInterval(20);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, ticks] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal || ++*ticks > 1000) {
            timer->stop();
            timer->deleteLater();
        }
        if (modal)
            answer(modal);
    });
    timer->start();
}

template<typename T> T *widget(QObject *parent, const char *name)
{
    T *child = parent->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qWarning("No child %s", name);
    return child;
}

template<typename T> T *findChild(QObject *parent, const char *name)
{
    return widget<T>(parent, name);
}

inline void whenModalOpens(const std::function<void(QWidget *)> &answer)
{
    whenModalOpens(nullptr, answer);
}
