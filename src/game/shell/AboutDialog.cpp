#include "AboutDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "render/PlatformSupport.h"

namespace trundlex {

namespace {

HyperLink::Opener& opener() {
    static HyperLink::Opener open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return open;
}

}  // namespace

HyperLink::HyperLink(const QString& text, QUrl url, QWidget* parent)
    : QLabel(parent), url_(std::move(url)) {
    setText(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()));
    setCursor(Qt::PointingHandCursor);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setToolTip(url_.toString());
}

void HyperLink::setOpener(Opener open) { opener() = std::move(open); }

QString HyperLink::failureReason(const QUrl& url) {
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        return tr("The specified file was not found.");
    }
    return tr("There is no application associated\nwith the given filename extension.");
}

bool HyperLink::open() {
    if (opener()(url_)) {
        return true;
    }
    QMessageBox::warning(this, QStringLiteral("Trundlex"),
                         tr("Can't open link:\n\n") + failureReason(url_));
    return false;
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        open();
    }
    QLabel::mouseReleaseEvent(event);
}

QUrl manualUrl() {
    const QString folder = dataFolder(QStringLiteral("Manual"));
    const QString page = QLocale().language() == QLocale::Swedish
                             ? QStringLiteral("index-se.html")
                             : QStringLiteral("index.html");
    return QUrl::fromLocalFile((folder.isEmpty() ? programFolder() + QStringLiteral("/Manual")
                                                 : folder) +
                               QLatin1Char('/') + page);
}

bool openManual(QWidget* parent) {
    HyperLink link(QStringLiteral("Manual"), manualUrl(), parent);
    return link.open();
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Trundlex"));
    auto* icon = new QLabel(this);
    icon->setPixmap(windowIcon().pixmap(64, 64));
    auto* title = new QLabel(QStringLiteral("<h2>Trundlex 1.0</h2>"), this);
    auto* credits = new QLabel(tr("Minigolf for one or more players, on one computer or over "
                                  "the network. Made by the Trundlex team at Brackwater Works."),
                               this);
    credits->setWordWrap(true);
    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(credits);
    text->addWidget(new HyperLink(tr("Brackwater Works on the web"),
                                  QUrl(QStringLiteral("https://brackwater.example/trundlex/")),
                                  this));
    text->addWidget(new HyperLink(tr("Write to us"),
                                  QUrl(QStringLiteral("mailto:trundlex@brackwater.example")),
                                  this));
    text->addWidget(new HyperLink(tr("Read the manual"), manualUrl(), this));
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    setMinimumWidth(380);
}

QList<HyperLink*> AboutDialog::links() const { return findChildren<HyperLink*>(); }

}  // namespace trundlex
