#pragma once

#include <QDialog>

class Cast;
class PhoneServer;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QrView;

// The window "ｽﾏﾎ参加": starts the phone server, shows this computer's addresses and the QR code
// of the join page, lists the phones that joined with their delay, and gives each phone a player
// slot of the settings dialog (its name box and a phone entry in its key box).
class PhoneJoin : public QDialog {
    Q_OBJECT
public:
    PhoneJoin(Cast* cast, PhoneServer* server);

    QComboBox* address = nullptr; // join URL per network address
    QrView* qr = nullptr;
    QLabel* note = nullptr;
    QTableWidget* list = nullptr; // number, name, delay, slot
    QPushButton* autoAssign = nullptr;
    QPushButton* closeButton = nullptr;

    // Puts phone `number` into player slot `slot` (0-9) of the dialog; -1 takes it out.
    void assign(int number, int slot);
    // Each phone not yet in a slot takes the first slot with neither a name nor a key, in the
    // order the phones joined.
    void assignAll();
    // The slot that holds phone `number`, -1 when none.
    int slotOf(int number) const;
    void refresh();

private:
    Cast* cast_;
    PhoneServer* server_;
};

// The key-list entry of phone `number` ("ｽﾏﾎ1" ...).
QString PhoneKeyText(int number);
// Adds the "ｽﾏﾎ参加..." button to the settings dialog's match frame.
void AddPhoneButton(Cast* cast);
// Stops the phone server unless match mode is on with a phone among its players.
void StopPhonesUnlessUsed();
