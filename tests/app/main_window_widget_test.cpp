// The real window on Qt's offscreen platform: layout, focus, keys, boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/resources/resources.h"
#include "app/update_dlg.h"
#include "platform/text/cp932.h"
#include "platform/window/qt/qt_backend.h"
#include "support/temp_dir.h"

using namespace platform::window;

namespace {

// The main dialog with a count of what reached it.
class ProbeDlg : public CUpdateDlg {
 public:
  using CUpdateDlg::CUpdateDlg;
  int cancels = 0;
  std::vector<WPARAM> commands;

 protected:
  void OnCancel() override {
    ++cancels;
    CUpdateDlg::OnCancel();
  }
  bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == WM_COMMAND) commands.push_back(wParam);
    return CUpdateDlg::OnWndMsg(message, wParam, lParam, result);
  }
};

// Counts the message boxes shown and closes each one with OK.
class BoxCounter : public QObject {
 public:
  BoxCounter() { qApp->installEventFilter(this); }
  ~BoxCounter() override { qApp->removeEventFilter(this); }
  int count = 0;
  std::vector<std::string> texts;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* box = qobject_cast<QMessageBox*>(object)) {
        ++count;
        texts.push_back(box->text().toStdString());
        QTimer::singleShot(20, box, [box] { box->accept(); });
      }
    }
    return false;
  }
};

class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest() : backend_(app::resources::Module()) {
    SetCurrentBackend(&backend_);
    backend_.onShown = [](void* self, QDialog& window) {
      auto* t = static_cast<WidgetTest*>(self);
      window.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
      t->onShown_(window);
    };
    backend_.onShownContext = this;
  }
  ~WidgetTest() override { SetCurrentBackend(nullptr); }

  // Runs the main window; `actions` runs once each window is shown.
  int Run(std::function<void(QDialog&)> actions) {
    onShown_ = std::move(actions);
    return dlg_.DoModal();
  }

  static QWidget* Control(QDialog& w, int id) {
    return w.findChild<QWidget*>(QString("control%1").arg(id));
  }

  static int FocusId() {
    QWidget* f = QApplication::focusWidget();
    return f != nullptr ? f->property("controlId").toInt() : 0;
  }

  // Runs `act` on the next message box once it is shown (polling for up to
  // five seconds).
  static void OnNextBox(std::function<void(QMessageBox&)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(500);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr && --*tries > 0) return;
      timer->stop();
      timer->deleteLater();
      if (box != nullptr) act(*box);
    });
    timer->start(10);
  }

  TempDir config_{true};  // never the user's settings
  QtBackend backend_;
  ToolState state_;
  ProbeDlg dlg_{state_};
  std::function<void(QDialog&)> onShown_;
};

TEST_F(WidgetTest, ControlsMatchTheTemplateInClassIdTextAndGeometry) {
  Run([](QDialog& w) {
    const DialogTemplate& t = app::resources::UpdateDialogTemplate();
    QFont font = QtBackend::TemplateFont(t);
    EXPECT_EQ(QFontInfo(font).family(), "IPAPGothic");
    BaseUnits base = QtBackend::FontBaseUnits(font);
    EXPECT_GE(base.horizontal, 5);
    EXPECT_GE(base.vertical, 12);
    QList<QWidget*> controls;
    for (QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (c->property("controlClass").isValid()) controls.push_back(c);
    }
    ASSERT_EQ(controls.size(), 19);
    const char* qtClass[] = {"QLineEdit",      "QPushButton", "QLineEdit", "QPushButton",
                             "QPushButton",    "QPushButton", "QGroupBox", "QProgressBar",
                             "QLabel",         "QLabel",      "QLabel",    "QLabel",
                             "QLabel",         "QLabel",      "QLabel",    "QLabel",
                             "QPlainTextEdit", "QLineEdit",   "QLabel"};
    for (int i = 0; i < 19; ++i) {
      const ControlTemplate& c = t.controls[static_cast<size_t>(i)];
      QWidget* q = controls[i];
      SCOPED_TRACE(i);
      EXPECT_EQ(q->property("controlId").toInt(), c.id);
      EXPECT_STREQ(q->metaObject()->className(), qtClass[i]);
      Rect r = DialogUnitsToPixels(c.x, c.y, c.cx, c.cy, base);
      EXPECT_EQ(q->geometry(), QRect(r.left, r.top, r.Width(), r.Height()));
      if (auto* b = qobject_cast<QPushButton*>(q)) {
        EXPECT_EQ(b->text().toStdString(), c.text);
        EXPECT_EQ(b->isDefault(), c.id == IDC_UPDATE);
      }
      if (auto* l = qobject_cast<QLabel*>(q)) {
        EXPECT_EQ(l->text().toStdString(), c.text);
      }
    }
    Rect size = DialogUnitsToPixels(0, 0, t.cx, t.cy, base);
    EXPECT_EQ(w.size(), QSize(size.Width(), size.Height()));
    EXPECT_EQ(w.windowTitle().toStdString(), "KDXアップデートツール");
    w.done(0);
  });
}

TEST_F(WidgetTest, FocusStartsInAddressAndTabSkipsPortAndMessage) {
  Run([](QDialog& w) {
    EXPECT_EQ(FocusId(), IDC_ADDRESS);
    std::vector<int> visited;
    for (int i = 0; i < 6; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.push_back(FocusId());
    }
    EXPECT_EQ(visited, (std::vector<int>{IDC_BROWSE, IDC_FILENAME, IDC_UPDATE, IDCANCEL,
                                         IDC_VERSION, IDC_ADDRESS}));
    w.done(0);
  });
}

TEST_F(WidgetTest, EnterInAnInputFieldPressesTheUpdateButton) {
  BoxCounter boxes;  // the update stops at the empty address with a box
  Run([this](QDialog& w) {
    for (int id : {IDC_ADDRESS, IDC_FILENAME}) {
      Control(w, id)->setFocus();
      dlg_.commands.clear();
      QTest::keyClick(Control(w, id), Qt::Key_Return);
      EXPECT_EQ(std::count(dlg_.commands.begin(), dlg_.commands.end(),
                           MakeCommand(BN_CLICKED, IDC_UPDATE)),
                1)
          << id;
    }
    w.done(0);
  });
}

TEST_F(WidgetTest, EscExitButtonAndCloseRequestEachCancelOnce) {
  const std::vector<std::function<void(QDialog&)>> ways = {
      [](QDialog& w) { QTest::keyClick(&w, Qt::Key_Escape); },
      [](QDialog& w) { QTest::mouseClick(Control(w, IDCANCEL), Qt::LeftButton); },
      [](QDialog& w) { w.close(); },
  };
  for (size_t i = 0; i < ways.size(); ++i) {
    dlg_.cancels = 0;
    int result = Run([&](QDialog& w) {
      ways[i](w);
      QCoreApplication::processEvents();
      if (w.isVisible()) w.done(0);
    });
    EXPECT_EQ(result, IDCANCEL) << i;
    EXPECT_EQ(dlg_.cancels, 1) << i;
    EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
  }
}

TEST_F(WidgetTest, VersionButtonOpensAboutBoxAndOkOrEscReturns) {
  std::vector<std::string> shown;
  int aboutRuns = 0;
  Run([&](QDialog& w) {
    shown.push_back(w.objectName().toStdString());
    if (w.objectName() == "dialog100") {
      EXPECT_EQ(w.windowTitle().toStdString(), "ﾊﾞｰｼﾞｮﾝ情報");
      switch (aboutRuns++) {
        case 0:
          QTest::mouseClick(Control(w, IDOK), Qt::LeftButton);
          break;
        case 1:
          QTest::keyClick(&w, Qt::Key_Escape);
          break;
        default:
          w.close();  // the close box
          QCoreApplication::processEvents();
          EXPECT_FALSE(w.isVisible()) << "the close box did not end the About box";
          if (w.isVisible()) w.done(-2);
      }
      return;
    }
    for (int i = 0; i < 3; ++i) QTest::mouseClick(Control(w, IDC_VERSION), Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    w.done(0);
  });
  EXPECT_EQ(shown, (std::vector<std::string>{"dialog102", "dialog100", "dialog100", "dialog100"}));
  EXPECT_EQ(dlg_.cancels, 0);
}

TEST_F(WidgetTest, BoxWithoutCaptionIsTitledKdxupdt) {
  char name[] = "/usr/bin/kdxupdt";
  char* saved = program_invocation_name;
  program_invocation_name = name;
  QString title, text;
  Run([&](QDialog& w) {
    OnNextBox([&](QMessageBox& box) {
      title = box.windowTitle();
      text = box.text();
      box.accept();
    });
    int answer = dlg_.MessageBox(platform::text::Utf8ToCp932("ソケット初期化失敗").c_str());
    EXPECT_EQ(answer, IDOK);
    w.done(0);
  });
  program_invocation_name = saved;
  EXPECT_EQ(title, "kdxupdt");
  EXPECT_EQ(text.toStdString(), "ソケット初期化失敗");
}

TEST_F(WidgetTest, EmptyPortShowsOneBoxPerFocusLossAndNeverLoops) {
  BoxCounter boxes;
  Run([&](QDialog& w) {
    // Waits for the n-th box to come and go, then a little longer, so that
    // a box too many would be counted too.
    auto settle = [&](int n) {
      EXPECT_TRUE(QTest::qWaitFor(
          [&] {
            return boxes.count >= n &&
                   !qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
          },
          5000));
      QTest::qWait(200);
    };
    auto* port = static_cast<QLineEdit*>(Control(w, IDC_PORT));
    QWidget* address = Control(w, IDC_ADDRESS);
    port->setFocus(Qt::MouseFocusReason);
    port->clear();
    for (int i = 1; i <= 3; ++i) {
      address->setFocus(Qt::MouseFocusReason);  // the user clicks elsewhere
      settle(i);
      EXPECT_EQ(boxes.count, i);
      w.activateWindow();  // as the window manager does when the box goes
      EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
      port->setFocus(Qt::MouseFocusReason);
    }
    // Switching to another window is a focus loss too.
    QWidget other;
    other.show();
    other.activateWindow();
    settle(4);
    EXPECT_EQ(boxes.count, 4);
    w.done(0);
  });
  EXPECT_EQ(boxes.texts.front(), "ポート番号を設定して下さい");
  EXPECT_FALSE(state_.inputState & 0x010);
}

TEST_F(WidgetTest, ABoxTakingTheFocusIsNotAFocusLossOfTheField) {
  BoxCounter boxes;
  Run([&](QDialog& w) {
    static_cast<QLineEdit*>(Control(w, IDC_ADDRESS))->setText("192.0.2.10");
    auto* port = static_cast<QLineEdit*>(Control(w, IDC_PORT));
    port->setFocus(Qt::MouseFocusReason);
    port->clear();
    // Enter in the empty port field: the update's own port box takes the
    // focus from the field; that must not run the field's handler as well.
    QTest::keyClick(port, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }, 5000));
    QTest::qWait(200);
    w.done(0);
  });
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"ポート番号を設定して下さい"});
}

// Saves pictures of both windows when KDX_SCREENSHOT_DIR names a folder.
TEST_F(WidgetTest, Screenshot) {
  QString dir = qEnvironmentVariable("KDX_SCREENSHOT_DIR");
  if (dir.isEmpty()) GTEST_SKIP() << "KDX_SCREENSHOT_DIR not set";
  std::vector<QString> saved;
  Run([&](QDialog& w) {
    QTest::qWait(50);
    QString file = dir + (w.objectName() == "dialog100" ? "/about-box.png" : "/main-window.png");
    EXPECT_TRUE(w.grab().save(file));
    saved.push_back(file);
    if (w.objectName() == "dialog100") {
      w.done(IDOK);
      return;
    }
    QTest::mouseClick(Control(w, IDC_VERSION), Qt::LeftButton);
    w.done(0);
  });
  EXPECT_EQ(saved.size(), 2u);
}

}  // namespace

int main(int argc, char** argv) {
  // No display is needed: the window runs on the offscreen platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
