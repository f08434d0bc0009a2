#include "settings/Cast.h"

#include "core/PadNames.h"
#include "platform/Controllers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>

void Cast::UKey_PadButton(int code) {
    if (!IsControllerCode(code) || !waku[2]->isVisible()) return;
    QComboBox* box = nullptr;
    for (QComboBox* key : UKey)
        if (key->isEnabled() && (key->hasFocus() || key->view()->isVisible())) box = key;
    if (!box) return;
    // One pad entry per box, after the keyboard keys: the last button pressed there. The checks
    // on "OK" compare it like a key, so two players cannot share a button.
    for (int i = box->count() - 1; i >= 0; --i)
        if (IsControllerCode(box->itemData(i).toInt())) box->removeItem(i);
    box->addItem(PadButtonText(code), code);
    box->setCurrentIndex(box->count() - 1);
    box->hidePopup();
}
