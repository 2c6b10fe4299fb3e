#include "app/DToolBar.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/Artwork.h"
#include "qt/DesktopWindow.h"
#include "app/CommandIds.h"
#include "model/ObjectKind.h"
#include "playlist/PlayRequest.h"

namespace {

// Object kinds the insert tools arm (the kind numbers of the project model).
constexpr int32_t kLabel = KindValue(ObjectKind::Label), kPicture = KindValue(ObjectKind::Picture),
                  kClock = KindValue(ObjectKind::Clock), kMovie = KindValue(ObjectKind::Movie),
                  kRtf = KindValue(ObjectKind::RtfText), kFlash = KindValue(ObjectKind::Flash),
                  kGif = KindValue(ObjectKind::Gif), kExe = KindValue(ObjectKind::Exe);

// The request number of "test the current page".
constexpr int kTestRequest = static_cast<int>(PlayRequest::WM_PLAY_TEST);

struct StripButton {
  int command; // 0 = separator
  const char* tooltip;
  bool checkGroup;
};

// Left to right; positions 3, 12 and 15 are separators.
const StripButton kStrip[18] = {
    {cmd::NewButton, "新建", false},
    {cmd::OpenButton, "打开", false},
    {cmd::SaveButton, "保存", false},
    {0, nullptr, false},
    {cmd::Select, "选择", true},
    {cmd::TextTool, "文字", true},
    {cmd::PictureTool, "图片", true},
    {cmd::ClockTool, "时钟", true},
    {cmd::MovieTool, "电影", true},
    {cmd::RtfTool, "RTF文本", true},
    {cmd::FlashTool, "Flash动画", true},
    {cmd::ProgramTool, "程序", true},
    {0, nullptr, false},
    {cmd::PlayButton, "播放", false},
    {cmd::TestButton, "测试", false},
    {0, nullptr, false},
    {cmd::OptionsButton, "选项", false},
    {cmd::AboutButton, "关于", false},
};

int32_t KindOfTool(int id) {
  switch (id) {
  case cmd::TextTool: return kLabel;
  case cmd::PictureTool: return kPicture;
  case cmd::ClockTool: return kClock;
  case cmd::MovieTool: return kMovie;
  case cmd::RtfTool: return kRtf;
  case cmd::FlashTool: return kFlash;
  case cmd::ProgramTool: return kExe;
  case cmd::GifTool: return kGif;
  default: return 0;
  }
}

} // namespace

CDToolBar::CDToolBar(ToolBarOwner* owner, QWidget* parent)
    // A dialog window: with an owner, the window manager keeps it above the owner.
    : QWidget(parent, Qt::Dialog), owner_(owner) {
  setObjectName("toolBarWindow");
  setWindowTitle(QStringLiteral("同步屏播放系统"));
  setWindowIcon(Artwork::ProgramIcon());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildMenu();
  layout->setMenuBar(menu_);
  BuildStrip();
  layout->addWidget(strip_);
  layout->addStretch();
  ResetToSelect();
}

void CDToolBar::BuildMenu() {
  menu_ = new QMenuBar(this);
  menu_->setObjectName("mainMenu");
  struct Item {
    const char* text;
    int command; // 0 = separator
  };
  auto addMenu = [&](const char* title, std::initializer_list<Item> items) {
    QMenu* m = menu_->addMenu(QString::fromUtf8(title));
    for (const Item& it : items) {
      if (it.command == 0) {
        m->addSeparator();
        continue;
      }
      QAction* a = m->addAction(QString::fromUtf8(it.text));
      a->setData(it.command);
      a->setObjectName(QStringLiteral("menu%1").arg(it.command));
      connect(a, &QAction::triggered, this, [this, id = it.command] { OnMenuCommand(id); });
    }
  };
  addMenu("文件(&F)", {{"新建文件    ...", cmd::FileNew},
                       {"打开文件    ...", cmd::FileOpen},
                       {"保存文件", cmd::FileSave},
                       {"文件另存为  ...", cmd::FileSaveAs},
                       {nullptr, 0},
                       {"退出系统(&X)", cmd::Exit}});
  addMenu("节目(&J)",
          {{"播放节目(&P)", cmd::PlayShow}, {nullptr, 0}, {"测试当前页(&T)", cmd::TestPage}});
  addMenu("控件(&E)", {{"文字(&T)", cmd::NewText},
                       {"图片(&P)", cmd::NewPicture},
                       {"时钟(&C)", cmd::NewClock},
                       {nullptr, 0},
                       {"电影(&M)", cmd::NewMovie},
                       {"RTF (&R)", cmd::NewRtf},
                       {"FLASH(&F)", cmd::NewFlash},
                       {"EXE (E)", cmd::NewProgram},
                       {nullptr, 0},
                       {"删除控件(&D)", cmd::DeleteObject},
                       {nullptr, 0},
                       {"撤销(&U)", cmd::Undo},
                       {"重做(&Y)", cmd::Redo}});
  // The keys work in every window that shares the surface's keys; the menu shows them.
  if (QAction* undo = ActionFor(cmd::Undo)) {
    undo->setShortcut(QKeySequence::Undo);
    undo->setShortcutContext(Qt::WidgetShortcut);
  }
  if (QAction* redo = ActionFor(cmd::Redo)) {
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setShortcutContext(Qt::WidgetShortcut);
  }
  SetEditCommands(false, false);
  addMenu("格式(&M)", {{"上对齐(&T)", cmd::AlignTop},
                       {"下对齐(&B)", cmd::AlignBottom},
                       {"左对齐(&L)", cmd::AlignLeft},
                       {"右对齐(&R)", cmd::AlignRight},
                       {nullptr, 0},
                       {"居中(&C)", cmd::Centre},
                       {"全屏(&F)", cmd::FullScreen}});
  addMenu("工具(&T)",
          {{"播放控制 (&C)", cmd::PlayControl}, {nullptr, 0}, {"选项 ... (&O)", cmd::Options}});
  addMenu("帮助(&H)", {{"帮助内容", cmd::HelpContents}, {"关于 ... (&A)", cmd::About}});
}

void CDToolBar::BuildStrip() {
  strip_ = new QToolBar(this);
  strip_->setObjectName("buttonStrip");
  strip_->setIconSize(QSize(DesktopScaled(16), DesktopScaled(16)));
  strip_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // The menu and one row of buttons fit the window's 70 outer pixels (at 96 dpi), title bar
  // included.
  strip_->setMovable(false);
  strip_->setStyleSheet(QStringLiteral("QToolButton { padding: 0px; margin: 0px; }"));
  strip_->setContentsMargins(0, 0, 0, 0);
  strip_->layout()->setContentsMargins(0, 0, 0, 0);
  tools_ = new QActionGroup(this);
  tools_->setExclusive(true);
  for (int pos = 0; pos < 18; ++pos) {
    const StripButton& b = kStrip[pos];
    if (b.command == 0) {
      strip_->addSeparator();
      continue;
    }
    // The strip shows images only; the text names the button for tooltips and screen readers.
    QAction* a = strip_->addAction(Artwork::ToolBarImage(pos), QString::fromUtf8(b.tooltip));
    a->setToolTip(QString::fromUtf8(b.tooltip));
    a->setData(b.command);
    a->setObjectName(QStringLiteral("button%1").arg(b.command));
    if (b.checkGroup) {
      a->setCheckable(true);
      tools_->addAction(a);
    }
    connect(a, &QAction::triggered, this, [this, id = b.command] { OnButtonCommand(id); });
  }
}

void CDToolBar::SetEditCommands(bool canUndo, bool canRedo) {
  if (QAction* a = ActionFor(cmd::Undo)) a->setEnabled(canUndo);
  if (QAction* a = ActionFor(cmd::Redo)) a->setEnabled(canRedo);
}

QAction* CDToolBar::ActionFor(int id) const {
  for (QAction* a : findChildren<QAction*>()) {
    if (a->data().toInt() == id) return a;
  }
  return nullptr;
}

int CDToolBar::CheckedTool() const {
  QAction* a = tools_->checkedAction();
  return a ? a->data().toInt() : 0;
}

void CDToolBar::ResetToSelect() {
  if (QAction* a = ActionFor(cmd::Select)) a->setChecked(true);
  OnButtonCommand(cmd::Select);
}

void CDToolBar::OnButtonCommand(int id) {
  if (!owner_) return;
  // Insert mode is armed before the command runs and switched off after those that do not
  // arm it.
  if (int32_t kind = KindOfTool(id)) {
    owner_->SetInsertMode(true, kind);
    return;
  }
  switch (id) {
  case cmd::NewButton: owner_->PageListCommand(cmd::FileNew); break;
  case cmd::OpenButton: owner_->PageListCommand(cmd::FileOpen); break;
  case cmd::SaveButton: owner_->PageListCommand(cmd::FileSave); break;
  case cmd::PlayButton: owner_->PageListCommand(cmd::Play); break;
  case cmd::TestButton:
    owner_->PageListCommand(kTestRequest);
    owner_->RepaintSurface();
    break;
  case cmd::OptionsButton: owner_->PageListCommand(cmd::Options); break;
  case cmd::AboutButton: owner_->PageListCommand(cmd::About); break;
  default: break;
  }
  owner_->SetInsertMode(false, 0);
}

void CDToolBar::OnMenuCommand(int id) {
  if (!owner_) return;
  const Rect menuRect{10, 10, 80, 80};
  switch (id) {
  case cmd::FileNew:
  case cmd::FileOpen:
  case cmd::FileSave:
  case cmd::FileSaveAs:
  case cmd::Exit:
  case cmd::PlayControl:
  case cmd::Options:
  case cmd::About: owner_->PageListCommand(id); break;
  case cmd::PlayShow: owner_->PageListCommand(cmd::Play); break;
  case cmd::TestPage:
    owner_->PageListCommand(kTestRequest);
    owner_->RepaintSurface();
    break;
  case cmd::NewText: owner_->PageListCreateObject(kLabel, menuRect); break;
  case cmd::NewPicture: owner_->PageListCreateObject(kPicture, menuRect); break;
  case cmd::NewClock: owner_->PageListCreateObject(kClock, menuRect); break;
  case cmd::NewMovie: owner_->PageListCreateObject(kMovie, menuRect); break;
  case cmd::NewRtf: owner_->PageListCreateObject(kRtf, menuRect); break;
  case cmd::NewFlash: owner_->PageListCreateObject(kFlash, menuRect); break;
  case cmd::NewProgram: owner_->PageListCreateObject(kExe, menuRect); break;
  case cmd::DeleteObject: owner_->PageListCommand(cmd::Delete); break;
  case cmd::Undo:
  case cmd::Redo: owner_->PageListCommand(id); break;
  case cmd::AlignTop: owner_->ArrangeObject(cmd::ArrangeTop); break;
  case cmd::AlignBottom: owner_->ArrangeObject(cmd::ArrangeBottom); break;
  case cmd::AlignLeft: owner_->ArrangeObject(cmd::ArrangeLeft); break;
  case cmd::AlignRight: owner_->ArrangeObject(cmd::ArrangeRight); break;
  case cmd::Centre: owner_->ArrangeObject(cmd::ArrangeCentre); break;
  case cmd::FullScreen: owner_->ArrangeObject(cmd::ArrangeFullScreen); break;
  case cmd::HelpContents: break; // there is no help to show
  default: break;
  }
}

void CDToolBar::Cancel() {
  if (owner_) owner_->PageListCommand(cmd::Exit);
}

void CDToolBar::closeEvent(QCloseEvent* event) {
  // Closing the window means leaving the program; ExitSystem decides, and the screen window
  // destroys this window when the run is over.
  event->ignore();
  Cancel();
}

void CDToolBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Cancel();
    return;
  }
  QWidget::keyPressEvent(event);
}
