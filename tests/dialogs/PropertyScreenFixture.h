#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>
#include <string>
#include <unistd.h>

#include "app/CommandIds.h"
#include "dialogs/DialogTestSupport.h"
#include "app/ZyntraScr.h"
#include "dialogs/ParaDialog.h"
#include "dialogs/PropertyWindows.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"

/// A full screen window with fake widget controls, scripted prompts and the program's property
/// windows, in a fresh folder for saved projects.
class PropertyScreenFixture : public ::testing::Test {
protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("zyntra-para-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    AppServices s;
    s.prompts = &prompts;
    s.settingsPath = (dir / "setup.ini").string();
    s.makeControlFactory = [](QWidget* parent) {
      return std::make_unique<FakeWidgetControlFactory>(parent);
    };
    screen = std::make_unique<CZyntraScr>(std::move(s));
    screen->SetPropertyWindowFactory(CreatePropertyWindow);
    screen->Initialise();
  }
  void TearDown() override {
    screen.reset();
    std::filesystem::remove_all(dir);
  }

  CDPlayList& List() { return *screen->PageList(); }
  CZyntraDoc& Doc() { return List().Document(); }

  /// Makes an object of a kind code on the current page; it is selected.
  ShowNode* Create(int kind, Rect rect) {
    EXPECT_TRUE(List().CreateObject(kind, rect));
    return screen->CurrentNode();
  }
  /// Selects a tree item (page or object) by its text.
  void Select(const std::string& name) { ASSERT_TRUE(List().SelectItemByText(name)); }
  /// Opens the property window of what is selected, as the properties command does.
  template <class D> D& Properties() {
    screen->SurfaceCommand(cmd::SurfaceProperties);
    auto* dialog = dynamic_cast<D*>(screen->OpenPropertyWindow());
    if (!dialog) throw std::runtime_error("no property window of the expected class");
    return *dialog;
  }
  /// Saves the project under a new name through the save chooser; the path.
  std::string Save() {
    const std::string path = (dir / "show.vrx").string();
    prompts.files.push_back(path);
    EXPECT_TRUE(Doc().SaveDocumentAs());
    return path;
  }
  /// Saves the project under a new name, then opens it again.
  void SaveAndReopen() { ASSERT_TRUE(Doc().OpenDocument(Save())); }

  /// The fake control of a node.
  static FakeWidgetControl& Fake(const ShowNode* node) {
    return *dynamic_cast<FakeWidgetControl*>(node->control->Control());
  }
  /// The value last put to a member of the node's control (empty when none was).
  static Variant Put(const ShowNode* node, int32_t dispid) {
    const auto& values = Fake(node).values;
    auto it = values.find(dispid);
    return it == values.end() ? Variant() : it->second;
  }

  /// Types a whole new text into an edit.
  static void Type(const CParaDialog& dialog, int id, const QString& text) {
    Ctl<QLineEdit>(dialog, id)->setText(text);
  }
  /// Clicks a button or check box.
  static void Click(const CParaDialog& dialog, int id) {
    Ctl<QAbstractButton>(dialog, id)->click();
  }
  /// Chooses the entry with this text in a drop-down list, as the user does.
  static void Choose(const CParaDialog& dialog, int id, const QString& text) {
    QComboBox* combo = Ctl<QComboBox>(dialog, id);
    ::Choose(combo, combo->findText(text));
  }
  /// The text of an edit or button.
  static QString Text(const CParaDialog& dialog, int id) {
    QWidget* w = dialog.Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    return QStringLiteral("<none>");
  }

  /// One control a dialog must have: identifier, text (edits: none checked), and whether the
  /// template shows it.
  struct Expected {
    int id;
    const char* text;
    bool shown;
  };
  /// Checks the title and each control's text and visibility of a shown dialog.
  static void ExpectControls(const CParaDialog& dialog, const char* title,
                             const std::vector<Expected>& controls) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(title));
    for (const Expected& c : controls) {
      SCOPED_TRACE(c.id);
      QWidget* w = dialog.Control(c.id);
      ASSERT_NE(w, nullptr);
      if (c.text) {
        EXPECT_EQ(Text(dialog, c.id), QString::fromUtf8(c.text));
      }
      EXPECT_EQ(w->isVisible(), c.shown);
    }
  }
  /// True when some label of the dialog reads exactly `text`.
  static bool HasLabel(const CParaDialog& dialog, const char* text) {
    return LabelTexts(dialog).contains(QString::fromUtf8(text));
  }

  std::filesystem::path dir;
  ScriptedPrompts prompts;
  std::unique_ptr<CZyntraScr> screen;
};
