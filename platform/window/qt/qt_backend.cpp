#include "platform/window/qt/qt_backend.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <map>
#include <vector>

#include "platform/text/cp932.h"
#include "platform/window/progress_model.h"

namespace platform::window {
namespace {

QString FromCp932(const std::string& text) {
  return QString::fromStdString(text::Cp932ToUtf8(text));
}

std::string ToCp932(const QString& text) {
  return text::Utf8ToCp932(text.toStdString());
}

QIcon MakeIcon(const ResourceModule& resources, HICON id) {
  QIcon icon;
  for (int size : {32, 16}) {
    if (const char* const* xpm = resources.iconPicture(id, size)) icon.addPixmap(QPixmap(xpm));
  }
  return icon;
}

class QtDialogWindow final : public QDialog, public Window {
 public:
  QtDialogWindow(const DialogTemplate& dialog, DialogHost& host, const ResourceModule& resources)
      : host_(host), resources_(resources) {
    setObjectName(QString("dialog%1").arg(dialog.id));
    setWindowTitle(QString::fromStdString(dialog.caption));
    setModal(true);
    QFont font = QtBackend::TemplateFont(dialog);
    setFont(font);
    BaseUnits base = QtBackend::FontBaseUnits(font);
    Rect size = DialogUnitsToPixels(0, 0, dialog.cx, dialog.cy, base);
    setFixedSize(size.Width(), size.Height());
    // No minimise or maximise box, a system menu and a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QWidget* previousTabStop = nullptr;
    for (const ControlTemplate& c : dialog.controls) {
      QWidget* w = MakeControl(c);
      Rect r = DialogUnitsToPixels(c.x, c.y, c.cx, c.cy, base);
      w->setGeometry(r.left, r.top, r.Width(), r.Height());
      w->setProperty("controlId", c.id);
      w->setProperty("controlClass", QString::fromStdString(c.className));
      if (c.id != kNoId) {
        w->setObjectName(QString("control%1").arg(c.id));
        controls_[c.id] = w;
      }
      if ((c.style & WS_TABSTOP) != 0) {
        if (firstTabStop_ == nullptr) firstTabStop_ = w;
        if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, w);
        previousTabStop = w;
      }
      w->setVisible((c.style & WS_VISIBLE) != 0);
    }
  }

  void FocusFirstTabStop() {
    if (firstTabStop_ != nullptr) firstTabStop_->setFocus(Qt::OtherFocusReason);
  }

  // Window
  void SetItemText(int id, const std::string& text) override {
    QWidget* w = Control(id);
    QString t = FromCp932(text);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
      e->setText(t);
      e->setCursorPosition(0);
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
      m->setPlainText(t);
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
      b->setText(t);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
      l->setText(t);
    }
  }

  std::string ItemText(int id) const override {
    QWidget* w = Control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return ToCp932(e->text());
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return ToCp932(m->toPlainText());
    if (auto* b = qobject_cast<QPushButton*>(w)) return ToCp932(b->text());
    if (auto* l = qobject_cast<QLabel*>(w)) return ToCp932(l->text());
    return {};
  }

  void Update() override { repaint(); }

  int MessageBox(const std::string& text, const std::string& caption, UINT style) override {
    QMessageBox box(this);
    box.setWindowTitle(FromCp932(caption));
    box.setText(FromCp932(text));
    UINT icon = style & MB_ICONMASK;
    box.setIcon(icon == MB_ICONERROR      ? QMessageBox::Critical
                : icon == MB_ICONQUESTION ? QMessageBox::Question
                                          : QMessageBox::NoIcon);
    bool yesNo = (style & MB_TYPEMASK) == MB_YESNO;
    box.setStandardButtons(yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    ++modalDepth_;
    int answer = box.exec();
    --modalDepth_;
    if (!yesNo) return IDOK;
    return answer == QMessageBox::Yes ? IDYES : IDNO;
  }

  LRESULT SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) override {
    auto* bar = qobject_cast<QProgressBar*>(Control(id));
    if (bar == nullptr) return 0;
    LRESULT result = progress_.Send(message, wParam, lParam);
    bar->setRange(progress_.minimum(), progress_.maximum());
    bar->setValue(progress_.position());
    return result;
  }

  void ShowItem(int id, int command) override {
    if (QWidget* w = Control(id)) w->setVisible(command != 0);
  }

  bool HasSystemMenu() const override { return true; }

  void AppendSystemMenu(UINT flags, UINT commandId, const std::string& text) override {
    menu_.push_back(MenuEntry{(flags & MF_SEPARATOR) != 0, commandId, FromCp932(text)});
  }

  void SetIcon(HICON icon, bool big) override {
    if (big || windowIcon().isNull()) setWindowIcon(MakeIcon(resources_, icon));
  }

  bool IsIconic() const override { return isMinimized(); }

  Rect ClientRect() const override { return Rect{0, 0, width(), height()}; }

  void EraseIconBackground() override {
    if (painter_ != nullptr) painter_->fillRect(rect(), palette().window());
  }

  void DrawIcon(int x, int y, HICON icon) override {
    if (painter_ != nullptr) painter_->drawPixmap(x, y, MakeIcon(resources_, icon).pixmap(32, 32));
  }

  FileOpenResult RunFileOpen(const FileOpenRequest& request) override {
    QFileDialog dialog(this, FromCp932(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QString pattern = FromCp932(request.filterPattern);
    dialog.setNameFilter(FromCp932(request.filterDescription) + " (" + pattern + " " +
                         pattern.toUpper() + ")");
    if (!request.initialDirectory.empty()) {
      dialog.setDirectory(FromCp932(request.initialDirectory));
    }
    dialog.selectFile(FromCp932(request.initialName));
    ++modalDepth_;
    int answer = dialog.exec();
    --modalDepth_;
    FileOpenResult result;
    if (answer != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
    std::string path = ToCp932(dialog.selectedFiles().first());
    // The dialog's name buffer has room for so much; a longer path fails.
    if (path.size() > request.maxPathLength) return result;
    result.confirmed = true;
    result.path = path;
    return result;
  }

  void End(int result) override { done(result); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) {
      auto* edit = qobject_cast<QLineEdit*>(watched);
      auto reason = static_cast<QFocusEvent*>(event)->reason();
      // A box or dialog of our own taking the focus is not the user leaving
      // the field; nor is a notification that arrives while one for the same
      // field is still being handled.
      bool ownModal = modalDepth_ > 0 &&
                      (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason);
      if (edit != nullptr && !ownModal && reason != Qt::PopupFocusReason &&
          killFocusActive_ != edit) {
        QWidget* previous = killFocusActive_;
        killFocusActive_ = edit;
        Dispatch(WM_COMMAND, MakeCommand(EN_KILLFOCUS, edit->property("controlId").toInt()), 0);
        killFocusActive_ = previous;
      }
    }
    return QDialog::eventFilter(watched, event);
  }

  void reject() override {
    // Esc: the dialog manager presses the cancel button.
    Dispatch(WM_COMMAND, MakeCommand(BN_CLICKED, IDCANCEL), 0);
  }

  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    Dispatch(WM_SYSCOMMAND, SC_CLOSE, 0);
  }

  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter_ = &painter;
    LRESULT result = 0;
    bool handled = host_.WindowProc(WM_PAINT, 0, 0, &result);
    painter_ = nullptr;
    if (!handled) QDialog::paintEvent(event);
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    // The title-bar menu belongs to the window manager; the dialog offers
    // its system-menu entries here instead.
    if (menu_.empty()) return;
    QMenu menu(this);
    for (const MenuEntry& entry : menu_) {
      if (entry.separator) {
        menu.addSeparator();
      } else {
        QAction* action = menu.addAction(entry.text);
        UINT id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(WM_SYSCOMMAND, id, 0); });
      }
    }
    ++modalDepth_;
    menu.exec(event->globalPos());
    --modalDepth_;
  }

 private:
  struct MenuEntry {
    bool separator;
    UINT id;
    QString text;
  };

  QWidget* Control(int id) const {
    auto it = controls_.find(id);
    return it != controls_.end() ? it->second : nullptr;
  }

  void Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    host_.WindowProc(message, wParam, lParam, &result);
  }

  QWidget* MakeControl(const ControlTemplate& c) {
    QString text = QString::fromStdString(c.text);
    bool tabStop = (c.style & WS_TABSTOP) != 0;
    if (c.className == "EDIT") {
      if ((c.style & ES_MULTILINE) != 0) {
        auto* m = new QPlainTextEdit(this);
        m->setReadOnly((c.style & ES_READONLY) != 0);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        m->setTabChangesFocus(true);
        m->document()->setDocumentMargin(1);
        m->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        m->setPlainText(text);
        return m;
      }
      auto* e = new QLineEdit(text, this);
      e->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
      e->installEventFilter(this);
      return e;
    }
    if (c.className == "BUTTON") {
      if ((c.style & BS_TYPEMASK) == BS_GROUPBOX) {
        auto* g = new QGroupBox(text, this);
        g->setFocusPolicy(Qt::NoFocus);
        return g;
      }
      auto* b = new QPushButton(text, this);
      b->setAutoDefault(true);
      b->setDefault((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      b->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
      int id = c.id;
      connect(b, &QPushButton::clicked, this,
              [this, id] { Dispatch(WM_COMMAND, MakeCommand(BN_CLICKED, id), 0); });
      return b;
    }
    if (c.className == "msctls_progress32") {
      auto* p = new QProgressBar(this);
      p->setTextVisible(false);
      // The bar fills in blocks, as the template's non-smooth style asks.
      static QStyle* blocks = QStyleFactory::create("Windows");
      if (blocks != nullptr) p->setStyle(blocks);
      p->setRange(progress_.minimum(), progress_.maximum());
      p->setValue(progress_.position());
      p->setFocusPolicy(Qt::NoFocus);
      return p;
    }
    auto* l = new QLabel(this);
    if ((c.style & SS_TYPEMASK) == SS_ICON) {
      QIcon icon = MakeIcon(resources_, c.iconId);
      l->setPixmap(icon.pixmap(32, 32));
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    } else {
      l->setText(text);
      l->setTextFormat(Qt::PlainText);
      l->setWordWrap(true);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    l->setFocusPolicy(Qt::NoFocus);
    return l;
  }

  DialogHost& host_;
  const ResourceModule& resources_;
  std::map<int, QWidget*> controls_;
  QWidget* firstTabStop_ = nullptr;
  ProgressModel progress_;
  std::vector<MenuEntry> menu_;
  QPainter* painter_ = nullptr;
  QWidget* killFocusActive_ = nullptr;
  int modalDepth_ = 0;
};

}  // namespace

QtBackend::QtBackend(const ResourceModule& resources) : resources_(resources) {
  // The templates name Japanese Windows faces; these stand-ins have the
  // same metrics.
  QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic");
  QFont::insertSubstitution(QString::fromUtf8("ＭＳ ゴシック"), "IPAGothic");
}

QFont QtBackend::TemplateFont(const DialogTemplate& dialog) {
  QFont font(QString::fromStdString(dialog.faceName));
  // Points to pixels at the 96 dots per inch that dialog layouts assume.
  font.setPixelSize(MulDiv(dialog.pointSize, 96, 72));
  return font;
}

BaseUnits QtBackend::FontBaseUnits(const QFont& font) {
  QFontMetrics metrics(font);
  int advance = metrics.horizontalAdvance(
      QString::fromLatin1(kBaseUnitSample.data(), kBaseUnitSample.size()));
  return BaseUnitsFromFont(advance, metrics.height());
}

int QtBackend::RunModal(const DialogTemplate& dialog, DialogHost& host) {
  QtDialogWindow window(dialog, host, resources_);
  if (host.InitDialog(window)) window.FocusFirstTabStop();
  if (onShown != nullptr) {
    QTimer::singleShot(0, &window, [this, &window] { onShown(onShownContext, window); });
  }
  int result = window.exec();
  host.DetachWindow();
  return result;
}

int QtBackend::SystemMetric(int index) const {
  return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}

}  // namespace platform::window
