#include "app/MemoryTuning.h"
#include "app/TerminationSignals.h"
#include "app/Translation.h"
#include "mainwindow/Trovella.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    tuneMemoryAllocator();
    // The embedded web view shares its GL context with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication a(argc, argv);
    quitOnTerminationSignals();
    installTranslation();
    Trovella w;
    w.show();
    return a.exec();
}
