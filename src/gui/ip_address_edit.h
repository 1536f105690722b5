#pragma once
// An IPv4 address typed as four fields of 0-255, as the operator types it: a third digit moves
// on to the next field, and so does a dot, except the dot right after a third digit, which is
// the same step; Backspace in an empty field goes back to the one before. Entering a field by
// click or Tab selects it, so typing replaces it; a digit a full field cannot take is not lost
// silently. A whole dotted address pasted into any field fills all four. An empty field counts
// as 0.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;
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
    void OnEdited(int index, const QString& text);
    bool PasteAddress();
    static bool IsDigit(const QKeyEvent& key);
    static bool IsFull(const QLineEdit& field);
    bool TypeIntoNext(int index, QKeyEvent* key);
    void FocusField(int index, bool selectAll);

    std::array<QLineEdit*, 4> fields_{};
    QLineEdit* clickedInto_ = nullptr;  // focused by a press about to be delivered
    bool movedOnByDigits_ = false;      // the last key filled a field and moved the caret on
};

}  // namespace zel
