#pragma once
// An IPv4 address typed as four fields of 0-255. A dot or a third digit moves on to the next
// field; an empty field counts as 0.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QLineEdit;

namespace zel {

class IpAddressEdit : public QWidget {
  public:
    explicit IpAddressEdit(QWidget* parent = nullptr);

    // None leaves every field empty.
    void SetAddress(std::optional<uint32_t> address);
    uint32_t Address() const;
    QLineEdit* Field(int index) const { return fields_[index]; }

    // Called after the operator changed a field.
    std::function<void(uint32_t address)> onChanged;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FocusField(int index);

    std::array<QLineEdit*, 4> fields_{};
};

}  // namespace zel
