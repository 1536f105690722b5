#pragma once
// The Serial, Ethernet and USB radio buttons that the main window and Connection Setup share.
#include <array>

class QBoxLayout;
class QButtonGroup;
class QRadioButton;
class QWidget;

namespace zel {

struct ConnectionRadios {
    QButtonGroup* group = nullptr;  // each button's id is its connection type
    std::array<QRadioButton*, 3> buttons{};
};

// Adds the three buttons to the layout, in the order of the connection types.
ConnectionRadios AddConnectionRadios(QWidget* parent, QBoxLayout* layout);

}  // namespace zel
