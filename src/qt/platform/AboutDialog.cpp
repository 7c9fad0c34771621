#include "AboutDialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "PlatformSupport.h"

namespace trundlex {

QString programVersion() {
    return QStringLiteral(TRUNDLEX_VERSION);
}

namespace {

HyperLink::Opener& opener() {
    static HyperLink::Opener open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return open;
}

}  // namespace

HyperLink::HyperLink(const QString& text, QUrl url, QString caption, QWidget* parent)
    : QLabel(parent), url_(std::move(url)), caption_(std::move(caption)) {
    setText(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()));
    setCursor(Qt::PointingHandCursor);
    // The label only shows the link; the click is handled below, so that a failure can be
    // told in the program's own words.
    setTextInteractionFlags(Qt::NoTextInteraction);
    setToolTip(url_.toString());
}

void HyperLink::setOpener(Opener open) {
    opener() = std::move(open);
}

QString HyperLink::failureReason(const QUrl& url) {
    if (isMissingFile(url)) {
        return tr("The file was not found.");
    }
    return tr("No program was found to open it.");
}

QString HyperLink::failureText(const QUrl& url) {
    QString target = url.toString();
    if (url.isLocalFile()) {
        target = QDir::toNativeSeparators(url.toLocalFile());
    } else if (url.scheme() == QStringLiteral("mailto")) {
        target = url.path();
    }
    return tr("Can't open %1.").arg(target) + QStringLiteral("\n\n") + failureReason(url);
}

bool HyperLink::isMissingFile(const QUrl& url) {
    return url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
}

bool HyperLink::open(const QUrl& url, const QString& caption, QWidget* parent) {
    // A desktop may accept a file that is not there and then show nothing: tell it here.
    if (!isMissingFile(url) && opener()(url)) {
        return true;
    }
    QMessageBox::warning(parent, caption, failureText(url));
    return false;
}

bool HyperLink::open() {
    return open(url_, caption_, this);
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        open();
    }
    QLabel::mouseReleaseEvent(event);
}

QUrl manualUrl() {
    const QString folder = dataFolder(QStringLiteral("Manual"));
    const QString page = QLocale().language() == QLocale::Swedish ? QStringLiteral("index-se.html")
                                                                  : QStringLiteral("index.html");
    return QUrl::fromLocalFile(
        (folder.isEmpty() ? programFolder() + QStringLiteral("/Manual") : folder) +
        QLatin1Char('/') + page);
}

bool openManual(const QString& caption, QWidget* parent) {
    return HyperLink::open(manualUrl(), caption, parent);
}

AboutDialog::AboutDialog(const AboutContent& content, QWidget* parent) : QDialog(parent) {
    setWindowTitle(content.windowTitle);
    auto* icon = new QLabel(this);
    icon->setPixmap((content.icon.isNull() ? windowIcon() : content.icon).pixmap(64, 64));
    auto* title =
        new QLabel(QStringLiteral("<h2>%1 %2</h2>")
                       .arg(content.name.toHtmlEscaped(), content.version.toHtmlEscaped()),
                   this);
    auto* credits = new QLabel(content.description, this);
    credits->setWordWrap(true);
    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(credits);
    text->addWidget(new HyperLink(tr("Brackwater Works on the web"),
                                  QUrl(QStringLiteral("https://brackwater.example/trundlex/")),
                                  content.name, this));
    text->addWidget(new HyperLink(tr("Write to us"),
                                  QUrl(QStringLiteral("mailto:trundlex@brackwater.example")),
                                  content.name, this));
    text->addWidget(new HyperLink(tr("Read the manual"), content.manual, content.name, this));
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

}  // namespace trundlex
