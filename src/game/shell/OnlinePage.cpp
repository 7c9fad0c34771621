#include "OnlinePage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "net/InviteLink.h"
#include "platform/PlatformSupport.h"
#include "settings/GameSettings.h"

namespace trundlex {

OnlinePage::OnlinePage(GameSettings& settings, QFormLayout* form, QWidget* page)
    : QObject(page), settings_(settings), form_(form), relay_(this) {
    host_ = new QLineEdit(toDisplayText(settings_.onlineHost()), page);
    host_->setPlaceholderText(tr("the room host's name, with :port if you like"));
    refresh_ = new QPushButton(tr("&Refresh"), page);
    courses_ = new QListWidget(page);
    courses_->setMinimumHeight(90);
    status_ = new QLabel(page);
    status_->setWordWrap(true);
    create_ = new QRadioButton(tr("&Create room"), page);
    join_ = new QRadioButton(tr("&Join room"), page);
    code_ = new QLineEdit(page);
    code_->setPlaceholderText(tr("such as K7QX2M, or the room's link"));
    codeHint_ = new QLabel(page);
    codeHint_->setWordWrap(true);
    codeHint_->setStyleSheet(QStringLiteral("color: #d32f2f;"));
    codeHint_->setVisible(false);
    // Long enough for a pasted link with the longest host name.
    code_->setMaxLength(400);
    create_->setChecked(true);

    firstRow_ = form_->rowCount();
    auto* hostRow = new QHBoxLayout;
    hostRow->addWidget(host_, 1);
    hostRow->addWidget(refresh_);
    auto* hostLabel = new QLabel(tr("Ho&st:"), page);
    hostLabel->setBuddy(host_);
    form_->addRow(hostLabel, hostRow);
    form_->addRow(tr("Co&urses:"), courses_);
    form_->addRow(QString(), status_);
    form_->addRow(create_);
    auto* codeRow = new QHBoxLayout;
    auto* codeLabel = new QLabel(tr("Room c&ode:"), page);
    codeLabel->setBuddy(code_);
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(code_, 1);
    form_->addRow(join_, codeRow);
    form_->addRow(QString(), codeHint_);
    rowCount_ = form_->rowCount() - firstRow_;

    connect(refresh_, &QPushButton::clicked, this, &OnlinePage::refresh);
    // The list and its message belong to the host they came from: a new host clears them,
    // and its own list is asked for once the typing pauses.
    refetch_.setSingleShot(true);
    refetch_.setInterval(RefetchPause);
    connect(&refetch_, &QTimer::timeout, this, &OnlinePage::refreshIfStale);
    connect(host_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QByteArray typed = text.trimmed().toUtf8();
        settings_.setOnlineHost(
            std::string(typed.constData(), static_cast<std::size_t>(typed.size())));
        if (!busy_ && text.trimmed() != listedHost_) {
            courses_->clear();
            showStatus({}, false);
        }
        refetch_.start();
        emit changed();
    });
    connect(courses_, &QListWidget::currentRowChanged, this, &OnlinePage::changed);
    connect(code_, &QLineEdit::textChanged, this, [this] {
        // Typing a code means joining.
        join_->setChecked(true);
        if (takeLink()) {
            return;  // the code field now holds the link's code, which has been seen to
        }
        const QString problem = codeProblem();
        codeHint_->setText(problem);
        codeHint_->setVisible(!problem.isEmpty() && code_->isVisibleTo(code_->window()));
        emit changed();
    });
    connect(create_, &QRadioButton::toggled, this, [this] {
        updateChoices();
        emit changed();
    });
    updateChoices();
}

OnlinePage::~OnlinePage() {
    fetch_.cancel();
    relay_.close();
}

NetAddress OnlinePage::host() const {
    const QByteArray typed = host_->text().toUtf8();
    return NetAddress::parse(
        std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())),
        GameSettings::DefaultPort);
}

roomproto::Request OnlinePage::request() const {
    roomproto::Request request;
    if (create_->isChecked()) {
        if (const QListWidgetItem* course = courses_->currentItem(); course != nullptr && !busy_) {
            request.kind = roomproto::Request::Kind::Create;
            const QByteArray name = course->text().toUtf8();
            request.course = std::string(name.constData(), static_cast<std::size_t>(name.size()));
        }
        return request;
    }
    request.code = typedCode();
    if (!request.code.empty()) {
        request.kind = roomproto::Request::Kind::Join;
    }
    return request;
}

void OnlinePage::showRequest(const roomproto::Request& request) {
    if ((request.kind == roomproto::Request::Kind::Join ||
         request.kind == roomproto::Request::Kind::Rejoin) &&
        !request.code.empty()) {
        code_->setText(QString::fromStdString(request.code));
        join_->setChecked(true);
    }
}

bool OnlinePage::takeLink() {
    const QByteArray typed = code_->text().toUtf8();
    const std::string_view text(typed.constData(), static_cast<std::size_t>(typed.size()));
    InviteLink link = InviteLink::parse(text, GameSettings::DefaultPort);
    if (!link.valid() || !link.namesHost()) {
        // A whole message pasted, or a link pasted after the code that was in the field.
        link = InviteLink::parse(InviteLink::linkWithin(text), GameSettings::DefaultPort);
    }
    if (!link.valid() || !link.namesHost()) {
        return false;
    }
    // The friend never types the host: the link names it (the port only when not the default).
    host_->setText(
        toDisplayText(InviteLink::hostText(link.host, link.port, GameSettings::DefaultPort)));
    code_->setText(QString::fromStdString(link.code));
    return true;
}

QString OnlinePage::codeProblem() const {
    const QString typed = code_->text().trimmed();
    if (typed.isEmpty() || !typedCode().empty()) {
        return {};
    }
    const QByteArray bytes = typed.toUtf8();
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (const std::string_view link = InviteLink::linkWithin(text); !link.empty()) {
        return linkProblem(InviteLink::parse(link, GameSettings::DefaultPort).problem);
    }
    if (InviteLink::looksLikeLink(text)) {
        return linkProblem(InviteLink::parse(text, GameSettings::DefaultPort).problem);
    }
    // Codes leave out the characters that are easily taken for others.
    static const QString lookalikes = QStringLiteral("01ILO");
    for (const QChar c : typed.toUpper()) {
        if (lookalikes.contains(c)) {
            return tr("Room codes never use 0, 1, I, L or O: check the code you were sent.");
        }
    }
    // A code still being typed is not wrong yet.
    QString compact = typed;
    compact.remove(QLatin1Char(' ')).remove(QLatin1Char('-'));
    if (compact.size() < static_cast<qsizetype>(roomproto::CodeLength)) {
        return {};
    }
    return tr("A room code has six letters and digits.");
}

QString OnlinePage::linkProblem(InviteProblem problem) {
    switch (problem) {
        case InviteProblem::OtherScheme:
            return tr(
                "This is not a room link: a room link starts with trundlex:// or "
                "https://.");
        case InviteProblem::BadHost:
            return tr("The host in this link is neither a host name nor an IP address.");
        case InviteProblem::BadPort:
            return tr("The port in this link is not a number from 1 to 65535.");
        case InviteProblem::NoCode:
            return tr("This link names no room: it should end with the room's code.");
        case InviteProblem::BadCode:
            return tr("The room code in this link is not a room code: ask for the link again.");
        case InviteProblem::None:
        case InviteProblem::Empty:
            break;
    }
    return {};
}

std::string OnlinePage::typedCode() const {
    const QByteArray typed = code_->text().toUtf8();
    return roomproto::normaliseCode(
        std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())));
}

void OnlinePage::refreshIfStale() {
    if (!busy_ && listedHost_ != host_->text().trimmed()) {
        refresh();
    }
}

void OnlinePage::refresh() {
    courses_->clear();
    listedHost_ = host_->text().trimmed();
    const NetAddress address = host();
    if (!address.valid()) {
        busy_ = false;
        showStatus(address.problem == AddressProblem::Empty
                       ? tr("Enter the room host's name or address.")
                       : tr("This is neither a host name nor an IP address."),
                   true);
        emit changed();
        return;
    }
    busy_ = true;
    refresh_->setEnabled(false);
    showStatus(tr("Asking %1 for its courses...").arg(listedHost_), false);
    emit changed();
    const QString shown = listedHost_;
    fetch_.start(address.host, address.port, ListTimeout,
                 [this, shown](const CourseListing& listing) {
                     relay_.post([this, listing, shown] { listed(listing, shown); });
                 });
}

void OnlinePage::listed(const CourseListing& listing, const QString& host) {
    using Outcome = CourseListing::Outcome;
    busy_ = false;
    refresh_->setEnabled(true);
    for (const std::string& course : listing.courses) {
        courses_->addItem(toDisplayText(course));
    }
    if (courses_->count() > 0) {
        courses_->setCurrentRow(0);
    }
    switch (listing.outcome) {
        case Outcome::Listed:
            if (listing.courses.empty()) {
                showStatus(tr("%1 offers no courses.").arg(host), true);
            } else {
                showStatus({}, false);
            }
            break;
        case Outcome::CouldntConnect:
            showStatus(tr("Can't reach %1. Check the host name, or try again later.").arg(host),
                       true);
            break;
        case Outcome::NoAnswer:
        case Outcome::Cancelled:
            showStatus(tr("%1 did not answer in time.").arg(host), true);
            break;
        case Outcome::NotARoomHost:
            showStatus(tr("%1 does not offer rooms.").arg(host), true);
            break;
        case Outcome::OtherVersion:
            showStatus(tr("%1 runs another version of the game (%2).")
                           .arg(host, toDisplayText(listing.detail)),
                       true);
            break;
        case Outcome::Refused:
            showStatus(refusalText(listing.detail), true);
            break;
    }
    emit changed();
    if (host_->text().trimmed() != host) {
        refetch_.start();  // the host was changed while its predecessor was asked
    }
}

void OnlinePage::showStatus(const QString& text, bool problem) {
    problem_ = problem;
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
    // Red like a form's error message, readable on light and dark window colours.
    status_->setStyleSheet(problem ? QStringLiteral("color: #d32f2f;") : QString());
}

void OnlinePage::setRowsVisible(bool visible) {
    for (int row = firstRow_; row < firstRow_ + rowCount_; ++row) {
        form_->setRowVisible(row, visible);
    }
    codeHint_->setVisible(visible && !codeHint_->text().isEmpty());
}

QString OnlinePage::statusText() const {
    return status_->text();
}

void OnlinePage::updateChoices() {
    courses_->setEnabled(create_->isChecked());
}

QString OnlinePage::refusalText(const std::string& reason) {
    const std::optional<KnownRefusal> known = readRefusal(reason);
    if (!known) {
        return toDisplayText(reason);
    }
    const QString subject = toDisplayText(known->subject);
    switch (known->refusal) {
        case roomproto::Refusal::NoSuchRoom:
            return tr("There is no room with the code %1.").arg(subject);
        case roomproto::Refusal::Started:
            return tr("The game in room %1 has already started.").arg(subject);
        case roomproto::Refusal::Full:
            return tr("Room %1 is full.").arg(subject);
        case roomproto::Refusal::NoSuchCourse:
            return tr("The host has no course named %1.").arg(subject);
        case roomproto::Refusal::NoFreeRoom:
            return tr("The host has no free room; try again later.");
        case roomproto::Refusal::TooManyAttempts:
            return tr("Too many attempts; try again later.");
        case roomproto::Refusal::TooManyRooms:
            return tr("You have opened too many rooms on this host; try again later.");
        case roomproto::Refusal::TooManyConnections:
            return tr("Too many connections from your network to this host.");
        case roomproto::Refusal::Removed:
            return tr("The room's creator removed you from the room.");
        case roomproto::Refusal::NoSeat:
            return tr("Your place in room %1 is no longer kept.").arg(subject);
        case roomproto::Refusal::CodeNeeded:
            break;
    }
    return toDisplayText(reason);
}

}  // namespace trundlex
