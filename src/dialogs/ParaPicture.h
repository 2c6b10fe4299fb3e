#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/ParaDialog.h"

class CColorListBox;
class QComboBox;
class QLineEdit;
class QSlider;

/// The picture object's property dialog "图片": play count and repeat, stretch, background
/// picture and colour, preview, and the picture list. The dialog keeps its own copy of the
/// control's items, shown one line each in a colour list box; every change of the list is
/// written to the control at once.
class CParaPicture : public CParaDialog {
  Q_OBJECT
public:
  /// One picture of the list.
  struct Item {
    std::string path;   ///< picture file
    std::string effect; ///< effect name, as the control takes it
    int16_t speed = 0;  ///< effect speed 1 … 100
    int16_t stay = 0;   ///< seconds shown 1 … 100
    friend bool operator==(const Item&, const Item&) = default;
  };

  /// The 15 effect names, in list order.
  static const QStringList& EffectNames();
  /// The filter of both picture file buttons.
  static constexpr const char* kPictureFilter =
      "图片文件|*.bmp;*.jpg;*.gif;*.ico;*.cur;*.wmf;*.emf|所有文件|*.*|";

  /// Makes the dialog of `screen`, not yet bound.
  explicit CParaPicture(CZyntraScr& screen);

  /// Binds the dialog; the item list is read again from the control only when `node` is not
  /// the node already bound.
  void SetObject(ShowNode* node) override;
  /// The dialog's copy of the items, in display order.
  const std::vector<Item>& Items() const { return items_; }
  /// The text of an item's line: the file name after the last '/' or '\', the whole path when
  /// it has neither.
  static QString LineText(const std::string& path);

  /// "添加": appends the picture of the path edit with the chosen effect, speed and stay.
  void AddItem();
  /// "删除": removes the selected item.
  void DeleteItem();
  /// "修改": replaces the selected item with the path edit, effect, speed and stay.
  void ModifyItem();

  int32_t PlayCount = 0;
  bool Repeat = false, Reserve = false, Stretch = false;
  std::string BgPicture, PicturePath, Effect;
  int Speed = 50, Stay = 2;

protected:
  void ReadObject() override;
  void DoDataExchange(CDataExchange& dx) override;

private:
  void ReloadItems();
  void ResendItems();
  void ShowSelectedItem(int row);
  int SelectedRow() const;
  void DropSelection();
  static int32_t RandomColour();

  std::vector<Item> items_;
  CColorListBox* list_;
  QLineEdit *playCount_, *bgPicture_, *path_, *speedText_, *stayText_;
  QCheckBox *repeat_, *reserve_, *stretch_;
  QComboBox* effect_;
  QSlider *speed_, *stay_;
  bool listing_ = false; // the dialog itself is changing the list
};
