#include "NewGameWizard.h"

#include <QComboBox>
#include <algorithm>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHostInfo>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "LevelsPage.h"
#include "OnlinePage.h"
#include "PlayersPage.h"
#include "control/GameContext.h"
#include "library/Course.h"
#include "library/CourseLibrary.h"
#include "library/LevelLibrary.h"
#include "net/NetAddress.h"
#include "platform/PlatformSupport.h"
#include "settings/GameSettings.h"

namespace trundlex {

NewGameWizard::NewGameWizard(const Match& previous, GameContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(tr("New game"));
    for (int i = 0; i < previous.LevelCount(); ++i) {
        setup_.AddLevel(previous.GetLevelId(i));
    }
    setup_.SetName(previous.GetName());

    tabs_ = new QTabWidget(this);
    players_ = new PlayersPage(setup_, previous, context_.random, this);
    players_->setLook(static_cast<Look>(context_.settings.look()));
    levels_ = new LevelsPage(setup_, context_, this);
    // The very first game starts from the first course, whole, rather than from nothing: a
    // new player can start by typing a name and pressing OK.
    if (setup_.LevelCount() == 0 && context_.courses.count() > 0 &&
        context_.courses.at(0).resolve(context_.levels).complete()) {
        levels_->loadCourse(0);
    }
    tabs_->addTab(players_, tr("Players"));
    tabs_->addTab(levels_, tr("Levels"));
    tabs_->addTab(createNetworkPage(), tr("Network"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(this, &QDialog::accepted, this, [this] {
        // A name typed but not added yet is a player too.
        players_->addTypedPlayer();
        if (mode() == 2) {
            context_.settings.rememberAddress(context_.settings.address());
        }
        if (mode() == 3) {
            context_.roomRequest = online_->request();
        }
        // Stored at once (the address, the port, the recent list and the room host), so that
        // a game ended by the system rather than by the player keeps them too.
        context_.settings.Save();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(players_, &PlayersPage::playersChanged, this, &NewGameWizard::updateOk);
    connect(levels_, &LevelsPage::levelsChanged, this, &NewGameWizard::updateOk);
    connect(levels_, &LevelsPage::warning, this, [this](const QString& text) {
        QMessageBox::warning(this, windowTitle(), text);
    });
    setMode(context_.networkMode);
    updateOk();
    // Typing starts with the first player's name.
    players_->nameField()->setFocus();
}

NewGameWizard::~NewGameWizard() = default;

QWidget* NewGameWizard::createNetworkPage() {
    auto* page = new QWidget(this);
    mode_ = new QComboBox(page);
    mode_->addItems({tr("Local game"), tr("Server"), tr("Client"), tr("Online")});
    // Editable, with the last addresses joined to pick from; what is typed is what counts.
    address_ = new QComboBox(page);
    address_->setEditable(true);
    address_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& recent : context_.settings.recentAddresses()) {
        address_->addItem(toDisplayText(recent));
    }
    address_->setEditText(toDisplayText(context_.settings.address()));
    address_->lineEdit()->setPlaceholderText(
        tr("host name, IPv4 or IPv6 address, with :port if you like"));
    addressProblem_ = new QLabel(page);
    addressProblem_->setWordWrap(true);
    // Red like a form's error message, readable on light and dark window colours.
    addressProblem_->setStyleSheet(QStringLiteral("color: #d32f2f;"));
    port_ = new QLineEdit(QString::number(context_.settings.port()), page);
    port_->setValidator(new QIntValidator(1, 65535, port_));
    departedHand_ = new QComboBox(page);
    departedHand_->addItem(tr("Computer, easy"), static_cast<int>(ComputerStrength::Easy));
    departedHand_->addItem(tr("Computer, medium"), static_cast<int>(ComputerStrength::Medium));
    departedHand_->addItem(tr("Computer, hard"), static_cast<int>(ComputerStrength::Hard));
    departedHand_->setCurrentIndex(
        std::max(0, departedHand_->findData(static_cast<int>(context_.departedHand))));
    description_ = new QLabel(page);
    description_->setWordWrap(true);
    addresses_ = new QLabel(page);
    addresses_->setWordWrap(true);
    addresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form_ = new QFormLayout(page);
    form_->addRow(tr("&Mode:"), mode_);
    online_ = new OnlinePage(context_.settings, form_, page);
    online_->showRequest(context_.roomRequest);
    form_->addRow(tr("&Address:"), address_);
    form_->addRow(QString(), addressProblem_);
    form_->addRow(tr("&Port:"), port_);
    form_->addRow(tr("Players who &leave are played by:"), departedHand_);
    form_->addRow(description_);
    form_->addRow(addresses_);
    connect(mode_, &QComboBox::currentIndexChanged, this, &NewGameWizard::modeChanged);
    connect(address_, &QComboBox::editTextChanged, this, &NewGameWizard::updateOk);
    connect(port_, &QLineEdit::textChanged, this, &NewGameWizard::updateOk);
    connect(online_, &OnlinePage::changed, this, &NewGameWizard::updateOk);
    connect(departedHand_, &QComboBox::currentIndexChanged, this, [this] {
        context_.departedHand = static_cast<ComputerStrength>(departedHand_->currentData().toInt());
    });
    return page;
}

int NewGameWizard::mode() const { return mode_->currentIndex(); }

void NewGameWizard::setMode(int mode) {
    mode_->setCurrentIndex(std::clamp(mode, 0, 3));
    modeChanged();
}

void NewGameWizard::modeChanged() {
    static const char* const kDescriptions[] = {
        QT_TR_NOOP("All players play on this computer."),
        QT_TR_NOOP("Network game. You choose the levels and which players will play on this "
                   "computer; the other computers connect to this one."),
        QT_TR_NOOP("Network game. You choose which players will play on this computer, then "
                   "connect to the server at the address above."),
        QT_TR_NOOP("Online game. Create a room on the room host and send its code to your "
                   "friends, or join a friend's room with the code they sent you."),
    };
    const int m = mode();
    description_->setText(tr(kDescriptions[m]));
    // An online game meets at a room host instead of a server's address and port.
    online_->setRowsVisible(m == 3);
    form_->setRowVisible(address_, m != 3);
    form_->setRowVisible(addressProblem_, m != 3);
    form_->setRowVisible(port_, m != 3);
    if (m == 3) {
        online_->refreshIfStale();
    }
    address_->setEnabled(m == 2);
    port_->setEnabled(m != 0);
    departedHand_->setEnabled(m != 0);
    if (m == 1) {
        QStringList list;
        for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
            // Link-local IPv6 addresses need the interface named: no use to pass on.
            if (!address.isLoopback() && !address.isLinkLocal() &&
                (address.protocol() == QAbstractSocket::IPv4Protocol ||
                 address.protocol() == QAbstractSocket::IPv6Protocol)) {
                list << address.toString();
            }
        }
        addresses_->setText(
            list.isEmpty() ? tr("This computer has no network address.")
                           : tr("This computer's IP address(es): %1", nullptr, int(list.size()))
                                 .arg(list.join(QStringLiteral(", "))));
    } else {
        addresses_->clear();
    }
    updateOk();
}

bool NewGameWizard::isOkEnabled() const { return ok_->isEnabled(); }

QString NewGameWizard::addressProblemText(AddressProblem problem) {
    switch (problem) {
        case AddressProblem::None:
            break;
        case AddressProblem::Empty:
            return tr("Enter the server's host name or address.");
        case AddressProblem::BadHost:
            return tr("This is neither a host name nor an IP address.");
        case AddressProblem::BadBrackets:
            return tr("Write an IPv6 address with a port like this: [2001:db8::1]:49732");
        case AddressProblem::BadPort:
            return tr("The port after the colon must be a number from 1 to 65535.");
    }
    return {};
}

void NewGameWizard::updateOk() {
    const int m = mode();
    // The choices are remembered for the next game as soon as they are made.
    context_.networkMode = m;
    const QByteArray address = address_->currentText().toUtf8();
    context_.settings.setAddress(std::string(address.constData(), static_cast<std::size_t>(address.size())));
    const int port = port_->text().toInt();
    if (port >= 1 && port <= 65535) {
        context_.settings.setPort(port);
    }
    const AddressProblem problem =
        NetAddress::parse(context_.settings.address(), GameSettings::DefaultPort).problem;
    addressProblem_->setText(m == 2 ? addressProblemText(problem) : QString());
    addressProblem_->setVisible(m == 2 && problem != AddressProblem::None);
    // An empty address is refused by the lobby ("Couldn't connect."), as it always was; one
    // that cannot be read is refused here, with the reason beside it.
    const bool addressOk = problem == AddressProblem::None || problem == AddressProblem::Empty;
    const bool players = setup_.PlayerCount() > 0 || players_->hasTypedName();
    const bool gameOk = setup_.LevelCount() > 0 && (m == 1 || players);
    const bool onlineOk =
        online_->host().valid() && online_->request().kind != roomproto::Request::Kind::Invalid;
    const bool enabled = m == 3 ? onlineOk : (m == 2 ? addressOk : gameOk);
    ok_->setEnabled(enabled);
}

}  // namespace trundlex
