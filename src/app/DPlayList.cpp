#include "app/DPlayList.h"

#include <QAction>
#include <QCloseEvent>
#include <QStatusBar>
#include <QLayout>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/Artwork.h"
#include "qt/DesktopWindow.h"
#include "app/CommandIds.h"
#include "app/ZyntraAbout.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWidget.h"
#include "app/DlgOption.h"
#include "model/EditingSession.h"
#include "model/ObjectKinds.h"
#include "base/Prompts.h"
#include "model/ZyntraDoc.h"
#include "playlist/AutoSaveTimer.h"
#include "playlist/PlayRequest.h"
#include "playlist/Playback.h"
#include "playlist/PowerOffTimer.h"

namespace {

bool IsPageText(const QString& text) { return text.startsWith(QStringLiteral("Page")); }

} // namespace

CDPlayList::CDPlayList(CZyntraScr* screen)
    // Owned by the screen window, so that it stays above it.
    : QWidget(screen, Qt::Tool), screen_(screen) {
  setObjectName("pageListWindow");
  setWindowTitle(QStringLiteral("对象列表"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("pageListToolBar");
  toolBar_->setIconSize(QSize(DesktopScaled(16), DesktopScaled(16)));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // Seven buttons fit the window's 170 pixels only without the style's extra padding.
  toolBar_->setStyleSheet(QStringLiteral("QToolButton { padding: 1px; margin: 0px; }"));
  toolBar_->setMovable(false);
  toolBar_->setContentsMargins(0, 0, 0, 0);
  toolBar_->layout()->setContentsMargins(0, 0, 0, 0);
  toolBar_->layout()->setSpacing(0);
  const std::pair<int, const char*> buttons[] = {{cmd::NewPage, "新建播放页"},
                                                 {cmd::Delete, "删除"},
                                                 {cmd::Freeze, "冻结"},
                                                 {cmd::Properties, "参数设置"},
                                                 {cmd::FullScreenToggle, "全屏切换"},
                                                 {cmd::MoveUp, "上移"},
                                                 {cmd::MoveDown, "下移"}};
  int index = 0;
  for (auto [id, tip] : buttons) {
    // Images only; the text names the button for tooltips and screen readers.
    QAction* a = toolBar_->addAction(Artwork::PageListImage(index++), QString::fromUtf8(tip));
    a->setToolTip(QString::fromUtf8(tip));
    a->setData(id);
    a->setObjectName(QStringLiteral("button%1").arg(id));
    connect(a, &QAction::triggered, this, [this, id = id] { OnCommand(id); });
  }
  layout->addWidget(toolBar_);

  tree_ = new QTreeWidget(this);
  tree_->setObjectName("tree");
  tree_->setHeaderHidden(true);
  tree_->setIconSize(QSize(DesktopScaled(16), DesktopScaled(16)));
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CDPlayList::OnSelectionChanged);
  // A click on the highlighted item selects it too, when it is not what is current (after a
  // selection that the surface or a delete made).
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
    if (item && item->isSelected() && ItemNode(item) != session_->Current()) OnSelectionChanged();
  });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) {
    // The page dialog for a page, else the dialog of the node's kind.
    screen_->SurfaceCommand(cmd::SurfaceProperties);
  });
  layout->addWidget(tree_, 1);

  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName("statusBar");
  statusBar_->setSizeGripEnabled(true);
  layout->addWidget(statusBar_);
  SetStatusText(QStringLiteral(" "));

  session_ = std::make_unique<EditingSession>(static_cast<PageListLink&>(*this), screen_->Factory(),
                                              *screen_->Services().prompts);
  session_->SetView(this);

  const AppServices& services = screen_->Services();
  if (services.scheduler) {
    playback_ = std::make_unique<Playback>(*services.scheduler, Document(),
                                           static_cast<PlayWindows&>(*this), *services.prompts);
    // Timer 1: auto-save every minute, counted against SaveDelay.
    autoSave_ = std::make_unique<AutoSaveTimer>(
        *services.scheduler, screen_->Config(),
        AutoSaveTimer::Project{
            [this] { return Document().Path(); },
            [this](const std::string& path) { Document().SetPath(path); },
            [this](const std::string& path) { return Document().SaveTo(path); }});
    autoSave_->Start();
    // Timer 2: the power-off check every 500 ms.
    if (services.clock && services.power) {
      powerOff_ = std::make_unique<PowerOffTimer>(*services.scheduler, *services.clock,
                                                  screen_->Config(), *services.power);
      powerOff_->Start();
    }
  }
}

CDPlayList::~CDPlayList() {
  // The tree and its controls go before the window: controls are children of the screen.
  rebuilding_ = true;
  powerOff_.reset();
  autoSave_.reset();
  playback_.reset(); // the tasks go before the tree they walk
  screen_->ClearSelection();
  session_.reset();
  if (!treeShown_) delete rootItem_;
}

QString CDPlayList::StatusText() const { return statusBar_->currentMessage(); }

void CDPlayList::SetStatusText(const QString& text) { statusBar_->showMessage(text); }

std::string CDPlayList::ProgramTitle() const { return screen_->Config().WndTitle; }

Rect CDPlayList::ScreenRect() const { return screen_->DesktopRect(); }

void CDPlayList::MoveScreen(const Rect& rect) {
  screen_->MoveToDesktopRect(rect);
  screen_->update();
}

QTreeWidgetItem* CDPlayList::AddItem(QTreeWidgetItem* parent, const std::string& text, int image) {
  auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(text)));
  // Each image is drawn once: a large project has an item for every object.
  auto [cached, drawn] = treeImages_.try_emplace(image);
  if (drawn) cached->second = Artwork::TreeImage(image);
  item->setIcon(0, cached->second);
  if (parent) {
    parent->addChild(item);
    parent->setExpanded(true);
  }
  return item;
}

void CDPlayList::ShowTree() {
  if (treeShown_) return;
  // Items added to an item outside the view cost the view nothing; the whole tree is laid out
  // once, here.
  tree_->insertTopLevelItem(0, rootItem_);
  tree_->expandAll();
  treeShown_ = true;
}

void CDPlayList::SelectItem(QTreeWidgetItem* item) {
  tree_->clearSelection();
  tree_->setCurrentItem(item);
  item->setSelected(true);
}

void CDPlayList::ClearProject() {
  session_->ResetProject();
  screen_->ClearSelection();
  rebuilding_ = true;
  tree_->clearSelection();
  tree_->clear();
  if (!treeShown_) delete rootItem_; // one that was never shown is not the view's to delete
  rootItem_ = currentPageItem_ = nullptr;
  if (Document().Root()) Document().DeleteNode(Document().Root());
  Document().ResetDocument();
  // The items of a project that is read are built apart from the view until ProjectRead.
  treeShown_ = false;
  rootItem_ = AddItem(nullptr, ProgramTitle(), 0);
  currentPageItem_ = rootItem_;
  rebuilding_ = false;
  session_->SetCurrent(Document().AddNode(ObjectKind::Screen, screen_, ProgramTitle()));
}

void CDPlayList::AppendPageItem(const std::string& name, int image) {
  QTreeWidgetItem* item = AddItem(rootItem_, name, image);
  currentPageItem_ = item;
  session_->SetCurrent(Document().Current());
  if (!treeShown_) return; // selected once the whole project is read
  rebuilding_ = true;      // the document already made the page current
  SelectItem(item);
  rebuilding_ = false;
}

void CDPlayList::ProjectRead() {
  session_->ProjectRead();
  ShowTree();
  if (currentPageItem_ == rootItem_) return;
  rebuilding_ = true; // the document already made the last page current
  SelectItem(currentPageItem_);
  rebuilding_ = false;
}

void CDPlayList::AppendObjectItem(const std::string& name, int image) {
  AddItem(currentPageItem_, name, image);
}

void CDPlayList::ShowPageObjects(ShowNode* page, bool show) {
  if (!page || !page->IsPage()) return;
  std::vector<ControlWidget*> windows;
  bool allWidgets = true;
  for (auto& child : page->children) {
    if (!child->control) continue;
    // Objects hidden with the hide command stay hidden on the design surface.
    child->control->ShowWindow(show && child->visible);
    auto* window = dynamic_cast<ControlWidget*>(child->control->Control());
    allWidgets = allWidgets && window;
    windows.push_back(window);
  }
  if (!show) return;
  // Each object raised in page order: on top of the others in that order.
  if (allWidgets) {
    ControlWidget::BringAllToTop(windows);
    return;
  }
  for (auto& child : page->children)
    if (child->control) child->control->BringToTop();
}

void CDPlayList::ShowPage(ShowNode& page) {
  session_->SetCurrent(Document().Current());
  SetStatusText(QStringLiteral("帧：%1 对象：%1").arg(QString::fromStdString(page.name)));
  if (page.frame) screen_->SetSurfaceColour(page.frame->bg);
  ShowPageObjects(&page, true);
}

void CDPlayList::NewPage() {
  ShowTree();
  screen_->ClearSelection();
  ShowNode* current = Document().Current();
  if (current && current->IsPage()) ShowPageObjects(current, false);
  ShowNode& page = session_->NewPage(screen_->Config().BgColor);
  AppendPageItem(page.name, 1);
  SetStatusText(QStringLiteral("帧：%1 对象：%1").arg(QString::fromStdString(page.name)));
  screen_->update();
}

bool CDPlayList::CreateObject(int32_t kindValue, Rect rect) {
  // The current page item is the document's current page (the root item when none is).
  ShowNode* node = session_->CreateObject(kindValue, rect, screen_->Config().MinWH,
                                          screen_->Config().BgColor, ProgramTitle());
  if (!node) return false;
  const KindInfo* info = FindKind(node->type);
  SelectItem(AddItem(currentPageItem_, node->name, info ? info->treeImage : 0));
  return true;
}

void CDPlayList::DeleteSelected() {
  if (!session_->ConfirmDelete(screen_->Config().DelPrompt, ProgramTitle())) return;
  QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (selected.isEmpty() || selected.first() == rootItem_) return;
  QTreeWidgetItem* item = selected.first();
  if (item == currentPageItem_) currentPageItem_ = rootItem_;
  screen_->ClearSelection();
  const std::string text = item->text(0).toStdString();
  rebuilding_ = true;
  delete item;
  rebuilding_ = false;
  session_->Delete(text); // the surface let go of its selection above
  // The tree moved its highlight to a neighbour of the deleted item on its own; the highlight,
  // the status bar and the surface follow what is current: the page of a deleted object, or
  // the root after the current page went.
  QTreeWidgetItem* current =
      Document().Current() == Document().Root() ? rootItem_ : currentPageItem_;
  if (current) SelectItem(current);
  screen_->update();
}

ShowNode* CDPlayList::ItemNode(QTreeWidgetItem* item) const {
  if (!item || !Document().Root()) return nullptr;
  if (item == rootItem_) return Document().Root();
  return Document().FindNode(item->text(0).toStdString(), Document().Root());
}

void CDPlayList::RebuildTree() {
  rebuilding_ = true;
  tree_->clearSelection();
  tree_->clear();
  ShowNode* root = Document().Root();
  treeShown_ = false;
  rootItem_ = AddItem(nullptr, root ? root->name : ProgramTitle(), 0);
  currentPageItem_ = rootItem_;
  if (root) {
    for (auto& page : root->children) {
      QTreeWidgetItem* pageItem = AddItem(rootItem_, page->name, 1);
      if (page.get() == Document().Current()) currentPageItem_ = pageItem;
      for (auto& object : page->children) {
        const KindInfo* info = FindKind(object->type);
        AddItem(pageItem, object->name, info ? info->treeImage : 0);
      }
    }
  }
  ShowTree();
  rebuilding_ = false;
}

void CDPlayList::MoveItem(bool up) {
  QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (selected.isEmpty()) return;
  QTreeWidgetItem* item = selected.first();
  QTreeWidgetItem* parent = item->parent();
  if (!parent) return;
  const int index = parent->indexOfChild(item);
  const int other = up ? index - 1 : index + 1;
  if (other < 0 || other >= parent->childCount()) return;

  const std::string text = item->text(0).toStdString();
  session_->MoveSibling(text, up);
  RebuildTree();
  QTreeWidgetItem* found = nullptr;
  for (int p = 0; p < rootItem_->childCount() && !found; ++p) {
    QTreeWidgetItem* pageItem = rootItem_->child(p);
    if (pageItem->text(0).toStdString() == text) found = pageItem;
    for (int o = 0; o < pageItem->childCount() && !found; ++o) {
      if (pageItem->child(o)->text(0).toStdString() == text) found = pageItem->child(o);
    }
  }
  if (found) {
    SelectItem(found);
  } else {
    screen_->Services().prompts->MessageBox("没有找到旧节点", ProgramTitle(), PromptButtons::Ok,
                                            PromptIcon::Exclamation);
  }
  ShowNode* current = Document().Current();
  if (current && current->IsPage()) {
    if (current->frame) screen_->SetSurfaceColour(current->frame->bg);
    ShowPageObjects(current, true);
  }
}

bool CDPlayList::SelectItemByText(const std::string& text) {
  QList<QTreeWidgetItem*> items =
      tree_->findItems(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchRecursive);
  if (items.isEmpty()) return false;
  SelectItem(items.first());
  return true;
}

void CDPlayList::SelectCurrentPageItem() {
  if (currentPageItem_) SelectItem(currentPageItem_);
}

void CDPlayList::OnSelectionChanged() {
  if (rebuilding_) return;
  QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (selected.isEmpty()) return;
  QTreeWidgetItem* item = selected.first();
  const QString text = item->text(0);
  ShowNode* root = Document().Root();
  if (!root) return;

  if (item == rootItem_ || text.toStdString() == ProgramTitle()) {
    screen_->ClearSelection();
    ShowNode* current = Document().Current();
    if (current && current->IsPage()) ShowPageObjects(current, false);
    session_->SetCurrent(root);
    currentPageItem_ = rootItem_;
  } else if (IsPageText(text)) {
    screen_->ClearSelection();
    ShowNode* node = Document().FindNode(text.toStdString(), root);
    if (node && node->IsPage()) {
      ShowNode* previous = Document().Current();
      session_->SetCurrent(node);
      currentPageItem_ = item;
      if (previous != node) {
        screen_->update();
        if (previous && previous->IsPage()) ShowPageObjects(previous, false);
        if (node->frame) screen_->SetSurfaceColour(node->frame->bg);
        ShowPageObjects(node, true);
      }
    }
  } else {
    ShowNode* current = Document().Current();
    if (current && current->IsPage()) {
      ShowNode* node = Document().FindNode(text.toStdString(), current);
      if (node && !node->IsContainer()) screen_->SelectObject(node);
    }
  }
  if (ShowNode* current = Document().Current()) {
    SetStatusText(
        QStringLiteral("帧：%1 对象：%2").arg(QString::fromStdString(current->name), text));
  }
}

bool CDPlayList::AskToSaveChanges() {
  if (!session_->Modified()) return true;
  const std::string question = "是否保存对文件" + Document().Path() + "的修改?";
  switch (screen_->Services().prompts->MessageBox(
      question, ProgramTitle(), PromptButtons::YesNoCancel, PromptIcon::Question)) {
  case PromptAnswer::Yes: return SaveProject();
  case PromptAnswer::No: return true;
  default: return false;
  }
}

bool CDPlayList::NewProject() {
  if (!AskToSaveChanges()) return false;
  Document().NewDocument();
  return true;
}

bool CDPlayList::OpenProject() {
  if (!AskToSaveChanges()) return false;
  return Document().OpenDocument("default");
}

bool CDPlayList::SaveProject() {
  if (!Document().SaveDocument()) return false;
  session_->MarkSaved();
  return true;
}

bool CDPlayList::SaveProjectAs() {
  if (!Document().SaveDocumentAs()) return false;
  session_->MarkSaved();
  return true;
}

void CDPlayList::OnCommand(int id) {
  switch (id) {
  case cmd::NewPage: NewPage(); break;
  case cmd::Delete:
  case cmd::DeleteObject: DeleteSelected(); break;
  case cmd::MoveUp: MoveItem(true); break;
  case cmd::MoveDown: MoveItem(false); break;
  case cmd::Freeze: screen_->SurfaceCommand(cmd::SurfaceFreeze); break;
  case cmd::Properties: screen_->SurfaceCommand(cmd::SurfaceProperties); break;
  case cmd::FullScreenToggle: screen_->SurfaceCommand(cmd::SurfaceFullScreen); break;
  case cmd::ObjectHideShow: screen_->SurfaceCommand(cmd::SurfaceHideShow); break;
  case cmd::ObjectFreeze: screen_->SurfaceCommand(cmd::SurfaceFreeze); break;
  case cmd::ObjectDelete: screen_->SurfaceCommand(cmd::SurfaceDelete); break;
  case cmd::ObjectProperties: screen_->SurfaceCommand(cmd::SurfaceProperties); break;
  case cmd::Undo: Undo(); break;
  case cmd::Redo: Redo(); break;
  case cmd::FileNew: NewProject(); break;
  case cmd::FileOpen: OpenProject(); break;
  case cmd::FileSave: SaveProject(); break;
  case cmd::FileSaveAs: SaveProjectAs(); break;
  case cmd::Exit: screen_->ExitSystem(); break;
  case cmd::NewText: CreateObject(KindValue(ObjectKind::Label), Rect{10, 10, 80, 80}); break;
  case cmd::NewPicture: CreateObject(KindValue(ObjectKind::Picture), Rect{10, 10, 80, 80}); break;
  case cmd::NewClock: CreateObject(KindValue(ObjectKind::Clock), Rect{10, 10, 80, 80}); break;
  case cmd::NewMovie: CreateObject(KindValue(ObjectKind::Movie), Rect{10, 10, 80, 80}); break;
  case cmd::NewRtf: CreateObject(KindValue(ObjectKind::RtfText), Rect{10, 10, 80, 80}); break;
  case cmd::NewFlash: CreateObject(KindValue(ObjectKind::Flash), Rect{10, 10, 80, 80}); break;
  case cmd::NewProgram: CreateObject(KindValue(ObjectKind::Exe), Rect{10, 10, 80, 80}); break;
  case cmd::Play:
  case cmd::Stop:
  case cmd::ObjectTestPage:
    if (playback_) playback_->OnCommand(id);
    break;
  case static_cast<int>(PlayRequest::WM_PLAY_TEST): PlayTest(); break;
  case static_cast<int>(PlayRequest::WM_PLAY_ALL): PlayAll(); break;
  case static_cast<int>(PlayRequest::WM_PLAY_STOP_QUIET): PlayStopQuiet(); break;
  case cmd::PlayControl:
    if (openTaskList_) openTaskList_();
    break;
  case cmd::Options: {
    CDlgOption dialog(screen_->Config(), *screen_->Services().prompts, screen_);
    dialog.exec();
    screen_->update();
    break;
  }
  case cmd::About: {
    // The screen window owns it, as it owns every window of the program.
    CZyntraAbout about(screen_);
    about.exec();
    break;
  }
  default: break;
  }
}

// --- Undo and redo ------------------------------------------------------------------------------

void CDPlayList::Undo() {
  if (session_->Undo()) screen_->update();
}

void CDPlayList::Redo() {
  if (session_->Redo()) screen_->update();
}

void CDPlayList::NodeGoing(ShowNode& node) {
  // Neither the surface, the property window nor the tree may keep pointing into what goes.
  if (screen_->OpenPropertyWindow()) screen_->ClearSelection();
  for (ShowNode* n = session_->Selected(); n; n = n->parent) {
    if (n == &node) {
      screen_->ClearSelection();
      break;
    }
  }
}

void CDPlayList::StructureChanged(ShowNode& focus) {
  RebuildTree();
  ShowNode* page = focus.IsPage()                           ? &focus
                   : focus.parent && focus.parent->IsPage() ? focus.parent
                                                            : nullptr;
  if (!page) {
    SelectItem(rootItem_);
    OnSelectionChanged();
  } else {
    // The page first (it becomes current and shows its objects), then the object.
    SelectItemByText(page->name);
    ShowPageObjects(page, true);
    if (&focus != page) SelectItemByText(focus.name);
  }
  screen_->update();
}

void CDPlayList::StateRestored(ShowNode& node, const CControlWrapper* replaced) {
  if (node.type == ObjectKind::Screen) {
    screen_->update();
  } else if (node.IsPage()) {
    if (node.frame && &node == Document().Current()) screen_->SetSurfaceColour(node.frame->bg);
  } else if (node.parent) {
    if (node.parent != Document().Current()) SelectItemByText(node.parent->name);
    // Restacked as the page orders them: a new control would be on top.
    if (replaced) ShowPageObjects(node.parent, true);
    if (session_->Current() != &node) SelectItemByText(node.name);
    // The tracker follows the rectangle (and the control) put back.
    if (session_->Selected() == &node)
      screen_->RefreshSelection();
    else
      screen_->SelectObject(&node);
  }
  screen_->ReloadPropertyWindow();
  screen_->update();
}

void CDPlayList::HistoryChanged() { screen_->UpdateEditCommands(); }

void CDPlayList::closeEvent(QCloseEvent* event) {
  // The page list lives as long as the screen window; its close box does not end it.
  event->ignore();
}

// --- Playback requests: handled here on the UI thread, by the engine --------------------------

void CDPlayList::PlayTest() {
  if (playback_) playback_->PlayTest();
}
void CDPlayList::PlayAll() {
  if (playback_) playback_->PlayAll();
}
void CDPlayList::PlayStopQuiet() {
  if (playback_) playback_->PlayStopQuiet();
}

// --- The windows around playback ----------------------------------------------------------------

void CDPlayList::ShowToolWindows(bool show) {
  for (QWidget* w : {static_cast<QWidget*>(screen_->ToolBar()), static_cast<QWidget*>(this),
                     screen_->OpenPropertyWindow()}) {
    if (w) w->setVisible(show);
  }
}

void CDPlayList::DropSelection() { screen_->ClearSelection(); }

void CDPlayList::SetPlaying(bool playing) {
  screen_->SetPlaying(playing);
  Document().SetPlaybackActive(playing);
  session_->SetPlaying(playing);
  HistoryChanged();
  screen_->update();
}

void CDPlayList::SetBackground(int32_t colour) {
  screen_->Config().BgColor = colour;
  screen_->update();
}

void CDPlayList::Repaint() { screen_->update(); }

void CDPlayList::ShowPageForDesign(ShowNode& page) {
  if (page.frame) SetBackground(page.frame->bg);
  ShowPageObjects(&page, true);
}

int32_t CDPlayList::ScreenWidth() const { return screen_->width(); }

int32_t CDPlayList::ScreenHeight() const { return screen_->height(); }
