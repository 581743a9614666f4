// Start-up probe: builds either the program's main window on the simulated board (as main() does) or a
// bare window with a given number of plain widgets, shows it, and when its first paint has been done
// prints the wall-clock time then (ns since the epoch), the number of widgets and the peak resident memory.
// Usage: startup_probe program | startup_probe bare WIDGETS
#include "BenchSupport.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTimer>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

/// Reports once the window's first paint event has been handled.
class FirstPaint final : public QObject {
  public:
    explicit FirstPaint(QWidget* window) : window_(window) { window->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // After this paint has been handled: the window has been drawn.
            QTimer::singleShot(0, this, [this] { report(); });
        }
        return false;
    }

  private:
    void report() {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("shown_ns %lld widgets %lld peak_kb %ld\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                    static_cast<long long>(window_->findChildren<QWidget*>().size() + 1), usage.ru_maxrss);
        std::fflush(stdout);
        QApplication::quit();
    }
    QWidget* window_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    const int widgets = bare && argc > 2 ? std::stoi(argv[2]) : 0;
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    std::unique_ptr<vcm::bench::BenchWindow> program;
    std::unique_ptr<QMainWindow> plain;
    QWidget* window = nullptr;
    if (bare) {
        plain = std::make_unique<QMainWindow>();
        auto* client = new QWidget(plain.get());
        client->setFixedSize(827, 291);
        plain->setCentralWidget(client);
        (void)plain->menuBar();
        // Labels until the window holds as many widgets as asked for, itself and its menu bar included.
        for (int i = 0; plain->findChildren<QWidget*>().size() + 1 < widgets; ++i) {
            auto* label = new QLabel(QStringLiteral("Label %1").arg(i), client);
            label->setGeometry((i % 10) * 80, (i / 10) * 24, 76, 20);
        }
        window = plain.get();
    } else {
        program = std::make_unique<vcm::bench::BenchWindow>();
        window = program->window.get();
    }
    FirstPaint probe(window);
    window->show();
    return QApplication::exec();
}
