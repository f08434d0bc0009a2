#include "settings/PhoneJoin.h"

#include "core/AppGlobals.h"
#include "core/ResText.h"
#include "remote/PhoneServer.h"
#include "settings/Cast.h"
#include "settings/QrView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Text {
    TextButton = 260, // ｽﾏﾎ参加...
    TextTitle = 261,  // ｽﾏﾎ参加
    TextScan = 262,   // how to join
    TextPhoneKey = 263,
    TextNumber = 264,
    TextName = 265,
    TextDelay = 266,
    TextSlot = 267,
    TextAuto = 268,
    TextClose = 269,
    TextMs = 270,
    TextOffline = 271,
    TextNoServer = 272,
    TextNoNetwork = 274,
    TextNoSlot = 275,
};

} // namespace

QString PhoneKeyText(int number) {
    return ResText(TextPhoneKey, QString::number(number));
}

PhoneJoin::PhoneJoin(Cast* cast, PhoneServer* server)
    : QDialog(cast), cast_(cast), server_(server) {
    setWindowTitle(LoadResString(TextTitle));
    auto* layout = new QVBoxLayout(this);
    address = new QComboBox(this);
    layout->addWidget(address);
    qr = new QrView(this);
    qr->setMinimumSize(260, 260);
    layout->addWidget(qr, 1);
    note = new QLabel(LoadResString(TextScan), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    list = new QTableWidget(0, 4, this);
    list->setHorizontalHeaderLabels({LoadResString(TextNumber), LoadResString(TextName),
                                     LoadResString(TextDelay), LoadResString(TextSlot)});
    list->verticalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setMinimumHeight(150);
    layout->addWidget(list);
    auto* buttons = new QHBoxLayout;
    autoAssign = new QPushButton(LoadResString(TextAuto), this);
    closeButton = new QPushButton(LoadResString(TextClose), this);
    buttons->addWidget(autoAssign);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(autoAssign, &QPushButton::clicked, this, &PhoneJoin::assignAll);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    if (!server_->start()) {
        note->setText(LoadResString(TextNoServer));
    } else {
        QStringList urls = server_->joinUrls();
        if (urls.isEmpty()) {
            note->setText(LoadResString(TextNoNetwork));
            urls.append(server_->joinUrl(QStringLiteral("127.0.0.1")));
        }
        address->addItems(urls);
    }
    connect(address, &QComboBox::currentTextChanged, this,
            [this](const QString& url) { qr->setText(url.toUtf8()); });
    qr->setText(address->currentText().toUtf8());
    connect(server_, &PhoneServer::phonesChanged, this, &PhoneJoin::refresh);
    resize(420, 620);
    refresh();
}

int PhoneJoin::slotOf(int number) const {
    const int code = PhoneServer::keyCodeOf(number);
    for (int j = 0; j < 10; ++j)
        if (cast_->UKey[j]->currentData().toInt() == code) return j;
    return -1;
}

void PhoneJoin::assign(int number, int slot) {
    const int code = PhoneServer::keyCodeOf(number);
    if (const int old = slotOf(number); old >= 0 && old != slot) {
        cast_->UKey[old]->setCurrentIndex(-1);
        cast_->NameK[old]->setEditText(QString());
    }
    if (slot < 0 || slot > 9) return refresh();
    QString name;
    for (const PhoneServer::PhoneInfo& p : server_->phones())
        if (p.number == number) name = p.name;
    QComboBox* key = cast_->UKey[slot];
    int index = key->findData(code);
    if (index < 0) {
        key->addItem(PhoneKeyText(number), code);
        index = key->count() - 1;
    }
    key->setCurrentIndex(index);
    cast_->NameK[slot]->setEditText(name);
    // A slot beyond the player count raises the count, as the scroll bar would.
    if (slot + 1 > cast_->VScroll1->value()) cast_->VScroll1->setValue(slot + 1);
    refresh();
}

void PhoneJoin::assignAll() {
    for (const PhoneServer::PhoneInfo& p : server_->phones()) {
        if (slotOf(p.number) >= 0) continue;
        for (int j = 0; j < 10; ++j) {
            if (cast_->UKey[j]->currentIndex() >= 0 ||
                !cast_->NameK[j]->currentText().trimmed().isEmpty())
                continue;
            assign(p.number, j);
            break;
        }
    }
}

void PhoneJoin::refresh() {
    const QVector<PhoneServer::PhoneInfo> phones = server_->phones();
    list->setRowCount(int(phones.size()));
    for (int row = 0; row < phones.size(); ++row) {
        const PhoneServer::PhoneInfo& p = phones[row];
        list->setItem(row, 0, new QTableWidgetItem(PhoneKeyText(p.number)));
        list->setItem(row, 1, new QTableWidgetItem(p.name));
        const QString delay = !p.connected ? LoadResString(TextOffline)
                              : p.roundTripMs < 0
                                  ? QString()
                                  : ResText(TextMs, QString::number(p.roundTripMs / 2, 'f', 1));
        list->setItem(row, 2, new QTableWidgetItem(delay));
        auto* slot = qobject_cast<QComboBox*>(list->cellWidget(row, 3));
        if (!slot || slot->property("phone").toInt() != p.number) {
            slot = new QComboBox;
            slot->setProperty("phone", p.number);
            slot->addItem(LoadResString(TextNoSlot), -1);
            for (int j = 0; j < 10; ++j)
                slot->addItem(QString::number(j + 1), j);
            const int number = p.number;
            connect(slot, &QComboBox::activated, this,
                    [this, slot, number] { assign(number, slot->currentData().toInt()); });
            list->setCellWidget(row, 3, slot);
        }
        const QSignalBlocker quiet(slot);
        slot->setCurrentIndex(slot->findData(slotOf(p.number)));
    }
}

void AddPhoneButton(Cast* cast) {
    auto* button = new QPushButton(LoadResString(TextButton), cast->waku[2]);
    button->setObjectName(QStringLiteral("phoneButton"));
    button->setGeometry(132, 16, 93, 21);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, cast, [cast] {
        cast->ShowPendingMessage();
        PhoneServer* server = phoneServer();
        if (!server) return;
        PhoneJoin window(cast, server);
        window.exec();
    });
}

void StopPhonesUnlessUsed() {
    PhoneServer* server = phoneServer();
    if (!server) return;
    const MatchRoster& roster = G().Roster;
    bool used = false;
    for (int i = 0; i <= std::clamp(roster.lastPlayer, 0, 9); ++i)
        used = used || PhoneServer::isPhoneKey(roster.players[i].keyCode);
    if (!roster.matchOn || !used) server->stop();
}
