#include "SplashDialog.h"

#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "library/LibraryReading.h"

namespace trundlex {

namespace {

// Hands every item read to the dialog's thread.
class RelayProgress : public ScanProgress {
public:
    RelayProgress(GuiThreadRelay& relay, QProgressBar* bar) : relay_(relay), bar_(bar) {}
    void itemAdded() override {
        QProgressBar* bar = bar_;
        relay_.post([bar] { bar->setValue(bar->value() + 1); });
    }

private:
    GuiThreadRelay& relay_;
    QProgressBar* bar_;
};

}  // namespace

SplashDialog::SplashDialog(LevelLibrary& levels, CourseLibrary& courses, int expectedCount,
                           QWidget* parent)
    : QDialog(parent, Qt::SplashScreen), levels_(levels), courses_(courses), relay_(this) {
    setWindowTitle(QStringLiteral("Trundlex"));
    auto* title = new QLabel(QStringLiteral("<h1>Trundlex</h1>"), this);
    title->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(tr("Reading files, please wait..."), this);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, std::max(1, expectedCount));
    progress_->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(progress_);
    setMinimumWidth(320);
}

SplashDialog::~SplashDialog() {
    relay_.close();
    if (reader_.joinable()) {
        reader_.join();
    }
}

int SplashDialog::readLibraries() {
    auto progress = std::make_shared<RelayProgress>(relay_, progress_);
    QEventLoop loop;
    bool finished = false;
    reader_ = std::thread([this, progress, &loop, &finished] {
        const int count = trundlex::readLibraries(levels_, courses_, progress.get());
        relay_.post([this, count, &loop, &finished] {
            itemsRead_ = count;
            finished = true;
            loop.quit();
        });
    });
    // Showing a window may already turn the event loop and run the end of a quick reading:
    // only wait when it has not happened yet.
    show();
    if (!finished) {
        loop.exec();
    }
    hide();
    reader_.join();
    return itemsRead_;
}

}  // namespace trundlex
