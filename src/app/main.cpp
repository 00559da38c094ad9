#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Zarnath");
  QMainWindow window;
  window.setWindowTitle("Zarnath");
  window.resize(1024, 737);
  window.show();
  return QApplication::exec();
}
