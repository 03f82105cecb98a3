// The window layer on Qt Widgets: one start-up window built from its form.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <memory>
#include <vector>

#include "platform/window/FontResolver.h"
#include "platform/window/GbkText.h"
#include "platform/window/PictureBox.h"
#include "platform/window/WindowAccess.h"
#include "runtime/ExitHooks.h"

namespace window {
namespace {

// Windows breaks caption lines at "\r\n"; Qt at "\n".
QString CaptionFromGbk(const runtime::Text& text) {
    return QStringFromGbk(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Captions are kept as the program wrote them, so that reading one back gives the same bytes.
constexpr const char* kCaptionProperty = "tolvaneCaption";

void KeepCaption(QWidget* control, const runtime::Text& text) {
    control->setProperty(kCaptionProperty, QByteArray(text.data(), qsizetype(text.size())));
}

runtime::Text KeptCaption(const QWidget* control) {
    return control->property(kCaptionProperty).toByteArray().toStdString();
}

// Raises the first-activated event once, after the activation itself has been handled.
class ActivationWatcher : public QObject {
  public:
    ActivationWatcher(QWidget* window, runtime::Handler handler)
        : QObject(window), handler_(std::move(handler)) {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && !fired_) {
            fired_ = true;
            if (handler_) {
                QMetaObject::invokeMethod(this, handler_, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    runtime::Handler handler_;
    bool fired_ = false;
};

struct StartupWindow {
    QPointer<QWidget> window;
    std::vector<QPointer<QWidget>> controls;
};

StartupWindow& Current() {
    static StartupWindow current;
    return current;
}

QWidget* MakeControl(const runtime::ControlForm& form, QWidget* parent) {
    switch (form.kind) {
        case runtime::ControlKind::Label: {
            auto* label = new QLabel(CaptionFromGbk(form.text), parent);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            return label;
        }
        case runtime::ControlKind::Button:
            return new QPushButton(CaptionFromGbk(form.text), parent);
        case runtime::ControlKind::EditBox:
            return new QLineEdit(QStringFromGbk(form.text), parent);
        case runtime::ControlKind::PictureBox: {
            const QColor background =
                form.background
                    ? QColor(form.background->red, form.background->green, form.background->blue)
                    : parent->palette().color(QPalette::Button);
            auto* box = new PictureBox(parent, background, form.displayMode);
            box->resize(form.rect.width, form.rect.height);
            box->SetPicture(runtime::Bytes(form.picture.begin(), form.picture.end()));
            return box;
        }
    }
    return nullptr;
}

void DestroyStartupWindow() {
    delete Current().window.data();
    Current() = {};
}

template <typename Widget>
Widget* ControlAs(runtime::Control control) {
    return qobject_cast<Widget*>(ControlWidget(control));
}

}  // namespace

QWidget* StartupWindowWidget() {
    return Current().window.data();
}

QWidget* ControlWidget(runtime::Control control) {
    const auto& controls = Current().controls;
    if (control < 0 || static_cast<std::size_t>(control) >= controls.size()) {
        return nullptr;
    }
    return controls[static_cast<std::size_t>(control)].data();
}

}  // namespace window

namespace runtime {

using window::ControlAs;
using window::ControlWidget;
using window::Current;

int RunProgram(int argc, char** argv, int (*entry)()) {
    std::unique_ptr<QApplication> application;
    if (QApplication::instance() == nullptr) {
        application = std::make_unique<QApplication>(argc, argv);
    }
    const int result = entry();
    window::DestroyStartupWindow();
    RunExitHooks();
    return result;
}

void LoadStartupWindow(const WindowForm& form, const WindowEvents& events) {
    window::DestroyStartupWindow();
    auto* window = new QWidget();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(window::QStringFromGbk(form.title));
    Current().window = window;
    for (const ControlForm& controlForm : form.controls) {
        QWidget* control = window::MakeControl(controlForm, window);
        control->setObjectName(window::QStringFromGbk(controlForm.name));
        control->setGeometry(controlForm.rect.left, controlForm.rect.top, controlForm.rect.width,
                             controlForm.rect.height);
        if (controlForm.font) {
            control->setFont(window::ResolveFont(*controlForm.font, control->font()));
        }
        if (controlForm.kind == ControlKind::Label || controlForm.kind == ControlKind::Button) {
            window::KeepCaption(control, controlForm.text);
        }
        control->setVisible(controlForm.visible);
        // As in a dialog, the form's order is the stacking order, the first control on top:
        // each new control goes beneath those before it.
        control->lower();
        Current().controls.emplace_back(control);
    }
    for (const auto& [control, handler] : events.clicks) {
        if (auto* button = ControlAs<QPushButton>(control)) {
            QObject::connect(button, &QPushButton::clicked, button, handler);
        }
    }
    new window::ActivationWatcher(window, events.firstActivated);

    window->setFixedSize(form.outer.width, form.outer.height);
    window->move(form.outer.left, form.outer.top);
    if (events.created) {
        events.created();
    }
    window->show();
    // A program's first window comes up active, also where no window manager would activate it.
    window->activateWindow();
    // The form gives the outer size; the frame is known only once the window is shown.
    const QSize frame = window->frameGeometry().size() - window->size();
    if (!frame.isEmpty()) {
        window->setFixedSize(form.outer.width - frame.width(), form.outer.height - frame.height());
    }
}

void RunMessageLoop() {
    const auto windows = QApplication::topLevelWidgets();
    const bool anyOpen = std::any_of(windows.begin(), windows.end(),
                                     [](const QWidget* w) { return w->isVisible(); });
    if (anyOpen) {
        QApplication::exec();
    }
}

void ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void RedrawNow() {
    if (QWidget* window = window::StartupWindowWidget()) {
        window->repaint();
    }
}

void SetVisible(Control control, bool visible) {
    if (QWidget* widget = ControlWidget(control)) {
        widget->setVisible(visible);
    }
}

bool IsVisible(Control control) {
    const QWidget* widget = ControlWidget(control);
    return widget != nullptr && !widget->isHidden();
}

void SetCaption(Control control, const Text& text) {
    if (auto* label = ControlAs<QLabel>(control)) {
        label->setText(window::CaptionFromGbk(text));
        window::KeepCaption(label, text);
    } else if (auto* button = ControlAs<QPushButton>(control)) {
        button->setText(window::CaptionFromGbk(text));
        window::KeepCaption(button, text);
    } else if (auto* edit = ControlAs<QLineEdit>(control)) {
        edit->setText(window::QStringFromGbk(text));
    }
}

Text GetCaption(Control control) {
    if (ControlAs<QLabel>(control) || ControlAs<QPushButton>(control)) {
        return window::KeptCaption(ControlWidget(control));
    }
    if (const auto* edit = ControlAs<QLineEdit>(control)) {
        return window::GbkFromQString(edit->text());
    }
    return {};
}

void SetPicture(Control control, const Bytes& picture) {
    if (auto* box = dynamic_cast<window::PictureBox*>(ControlWidget(control))) {
        box->SetPicture(picture);
    }
}

void SetDisplayMode(Control control, DisplayMode mode) {
    if (auto* box = dynamic_cast<window::PictureBox*>(ControlWidget(control))) {
        box->SetDisplayMode(mode);
    }
}

}  // namespace runtime
