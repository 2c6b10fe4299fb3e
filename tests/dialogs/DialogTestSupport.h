#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ZyntraScr.h"
#include "model/ShowNode.h"
#include "support/FakeControls.h"
#include "support/FakeWidgetControls.h"
#include "support/ScriptedPrompts.h"

/// A screen window that is constructed but not initialised (no tool windows, no settings file)
/// to own property dialogs, with object nodes whose controls are in-memory fakes that record
/// every call.
struct DialogBench {
  ScriptedPrompts prompts;
  FakeControlFactory controls;
  std::unique_ptr<CZyntraScr> screen;
  std::vector<std::unique_ptr<ShowNode>> nodes;

  DialogBench() {
    AppServices s;
    s.prompts = &prompts;
    s.makeControlFactory = [](QWidget* parent) {
      return std::make_unique<FakeWidgetControlFactory>(parent);
    };
    screen = std::make_unique<CZyntraScr>(std::move(s));
  }

  /// An object node of `kind` with a fake control wrapped in `W` at `rect`.
  template <class W> ShowNode* Object(ObjectKind kind, Rect rect) {
    auto node = std::make_unique<ShowNode>();
    node->type = kind;
    node->name = "Object" + std::to_string(nodes.size() + 1);
    node->control = WrapControl<W>(controls.CreateControl(W::kClassId, rect, true));
    nodes.push_back(std::move(node));
    return nodes.back().get();
  }
  /// The fake behind a node's control.
  static FakeControl& Fake(const ShowNode* node) {
    return *FakeControlFactory::Of(node->control->Control());
  }
  /// What the node's control was told since the last call (puts, methods, window moves).
  static std::vector<std::string> Told(const ShowNode* node) {
    std::vector<std::string> told;
    for (const std::string& line : Fake(node).trace)
      if (line.rfind("get ", 0) != 0) told.push_back(line);
    Fake(node).trace.clear();
    return told;
  }
};

/// The widget of a dialog named "ctl<id>" as `W`; fails the test when missing.
template <class W> W* Ctl(const QWidget& dialog, int id) {
  auto* w = dialog.findChild<W*>(QStringLiteral("ctl%1").arg(id));
  EXPECT_NE(w, nullptr) << "control " << id;
  return w;
}

/// The texts of every label of a widget, in creation order.
inline QStringList LabelTexts(const QWidget& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>())
    texts << label->text();
  return texts;
}

/// The entries of a combo box.
inline QStringList Entries(const QComboBox* combo) {
  QStringList entries;
  for (int i = 0; i < combo->count(); ++i)
    entries << combo->itemText(i);
  return entries;
}

/// Selects an entry as the user does.
inline void Choose(QComboBox* combo, int index) {
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

/// Runs `act` while answering the modal dialog it opens with `answer` (called with the dialog).
inline void WithModal(const std::function<void()>& act, std::function<void(QWidget*)> answer) {
  bool answered = false;
  QTimer::singleShot(0, [&answered, answer] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    answer(modal);
    answered = true;
  });
  act();
  EXPECT_TRUE(answered);
}
