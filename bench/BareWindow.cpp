// The yardstick for Morvane's start-up: the least a Qt 6 Widgets program with a menu bar and a
// list can do. It shows one window and waits.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTreeWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    for (const char* title : {"Task", "Setting", "Languages", "About"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        menu->addAction(QStringLiteral("Item"));
    }
    auto* list = new QTreeWidget(&window);
    list->setHeaderLabels({QStringLiteral("Program"), QStringLiteral("Path")});
    window.setCentralWidget(list);
    window.resize(912, 528);
    window.show();
    return QApplication::exec();
}
