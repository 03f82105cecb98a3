// MessageBoxA as a QMessageBox, modal to its owner only.

#include <QAbstractButton>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <utility>

#include "platform/user32/MessageBoxResponder.h"
#include "platform/user32/WinUser.h"
#include "platform/user32/WindowHandles.h"
#include "platform/window/GbkText.h"

namespace user32 {
namespace {

MessageBoxResponder& Responder() {
    static MessageBoxResponder responder;
    return responder;
}

struct ButtonRow {
    QMessageBox::StandardButton button;
    int id;
};

constexpr ButtonRow kButtons[] = {
    {QMessageBox::Ok, IDOK},       {QMessageBox::Cancel, IDCANCEL}, {QMessageBox::Abort, IDABORT},
    {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}, {QMessageBox::Yes, IDYES},
    {QMessageBox::No, IDNO},
};

QMessageBox::StandardButtons ButtonsOf(UINT type) {
    switch (type & 0x0F) {
        case MB_OKCANCEL:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MB_ABORTRETRYIGNORE:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MB_YESNOCANCEL:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MB_YESNO:
            return QMessageBox::Yes | QMessageBox::No;
        case MB_RETRYCANCEL:
            return QMessageBox::Retry | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(UINT type) {
    switch (type & 0xF0) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

UINT IconStyleOf(QMessageBox::Icon icon) {
    for (const UINT style :
         {MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONINFORMATION}) {
        if (IconOf(style) == icon) {
            return style;
        }
    }
    return 0;
}

int IdOf(QMessageBox::StandardButton button) {
    for (const ButtonRow& row : kButtons) {
        if (row.button == button) {
            return row.id;
        }
    }
    return IDCANCEL;
}

runtime::Text TextOf(LPCSTR text) {
    return text ? runtime::Text(text) : runtime::Text();
}

// Lets the responder see the box once it is up, then presses its button.
void AnswerWhenShown(QMessageBox& box, MessageBoxSeen seen) {
    QTimer::singleShot(0, &box, [&box, seen = std::move(seen)]() mutable {
        seen.icon = IconStyleOf(box.icon());
        const int id = Responder()(seen);
        for (const ButtonRow& row : kButtons) {
            if (row.id == id && box.button(row.button) != nullptr) {
                box.button(row.button)->click();
                return;
            }
        }
        box.reject();
    });
}

// As on the platform, the box disables its owner only; a box without an owner disables no
// window, and the call still returns only once the box is closed.
void RunUntilClosed(QMessageBox& box, QWidget* owner) {
    if (owner != nullptr) {
        box.setWindowModality(Qt::WindowModal);
        box.exec();
        return;
    }
    box.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.show();
    loop.exec();
}

}  // namespace

void SetMessageBoxResponder(MessageBoxResponder responder) {
    Responder() = std::move(responder);
}

}  // namespace user32

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    using namespace user32;
    QWidget* owner = WidgetOfHandle(hWnd);
    if (hWnd != 0 && owner == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    // As on the platform, a box without a title is titled "Error".
    const QString title = lpCaption ? window::QStringFromGbk(lpCaption) : QStringLiteral("Error");
    QMessageBox box(IconOf(uType), title, window::QStringFromGbk(TextOf(lpText)), ButtonsOf(uType),
                    owner);
    if (Responder()) {
        AnswerWhenShown(box, {hWnd, TextOf(lpText), TextOf(lpCaption), uType});
    }
    RunUntilClosed(box, owner);
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) {
        // Closed without a button: the platform answers Cancel where there is one, else OK.
        return box.button(QMessageBox::Cancel) ? IDCANCEL : IDOK;
    }
    return IdOf(box.standardButton(clicked));
}
