#pragma once
// Where the selected product's pages go, to the right of the terminal's controls. For now it
// shows one empty tab per page of the product; the pages fill them in.
#include <QTabWidget>

namespace zel {

class ProductInfo;

class PropertySheetHost : public QTabWidget {
    Q_OBJECT

  public:
    explicit PropertySheetHost(QWidget* parent = nullptr);

    // Rebuilds the tabs for the product's page set.
    void ProductChanged(ProductInfo& product);
};

}  // namespace zel
