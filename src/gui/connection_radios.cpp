#include "gui/connection_radios.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

namespace zel {

namespace {

struct ConnectionChoice {
    const char* caption;
    const char* objectName;
};

// In the order of the connection types: 0 Serial, 1 Ethernet, 2 USB.
constexpr std::array<ConnectionChoice, 3> kConnectionChoices = {{
    {"Serial", "serialRadio"},
    {"Ethernet", "ethernetRadio"},
    {"USB", "usbRadio"},
}};

}  // namespace

ConnectionRadios AddConnectionRadios(QWidget* parent, QBoxLayout* layout) {
    ConnectionRadios radios;
    radios.group = new QButtonGroup(parent);
    for (size_t type = 0; type < kConnectionChoices.size(); ++type) {
        auto* radio =
            new QRadioButton(QString::fromLatin1(kConnectionChoices[type].caption), parent);
        radio->setObjectName(QString::fromLatin1(kConnectionChoices[type].objectName));
        radios.group->addButton(radio, static_cast<int>(type));
        radios.buttons[type] = radio;
        layout->addWidget(radio);
    }
    return radios;
}

}  // namespace zel
