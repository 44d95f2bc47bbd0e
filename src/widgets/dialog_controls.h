// Controls the parameter dialogs build themselves from: named so that tests and help contexts can
// find them, placed at fixed positions as the dialogs are laid out; and the texts they show.
#pragma once

#include "document/text_format.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tavlo {

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                           QRect geometry) {
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(QString::fromLatin1(name));
    pushButton->setGeometry(geometry);
    return pushButton;
}

// A dialog's bar moves the way its keys point: → and ↓ one step towards the maximum, ← and ↑
// one step back, PageDown and PageUp a page, Home and End to the ends. A plain scroll bar turns
// ← and → round, as it scrolls a view rather than set a value.
class DialogBar : public QScrollBar {
  public:
    using QScrollBar::QScrollBar;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const SliderAction action = keyAction(event->key());
        if (action == SliderNoAction || (event->modifiers() & ~Qt::KeypadModifier)) {
            QScrollBar::keyPressEvent(event);
            return;
        }
        triggerAction(action);
    }

  private:
    static SliderAction keyAction(int key) {
        switch (key) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            return SliderSingleStepAdd;
        case Qt::Key_Left:
        case Qt::Key_Up:
            return SliderSingleStepSub;
        case Qt::Key_PageDown:
            return SliderPageStepAdd;
        case Qt::Key_PageUp:
            return SliderPageStepSub;
        case Qt::Key_Home:
            return SliderToMinimum;
        case Qt::Key_End:
            return SliderToMaximum;
        default:
            return SliderNoAction;
        }
    }
};

// Arrows step by one, the track by ten. The bar takes the focus by Tab and by a click, so that
// the keys move it without the mouse.
inline QScrollBar* bar(QWidget* parent, const char* name, Qt::Orientation orientation,
                       QRect geometry) {
    auto* scrollBar = new DialogBar(orientation, parent);
    scrollBar->setObjectName(QString::fromLatin1(name));
    scrollBar->setFocusPolicy(Qt::StrongFocus);
    scrollBar->setGeometry(geometry);
    scrollBar->setSingleStep(1);
    scrollBar->setPageStep(10);
    return scrollBar;
}

inline QScrollBar* bar(QWidget* parent, const char* name, Qt::Orientation orientation, int minimum,
                       int maximum, int position, QRect geometry) {
    QScrollBar* scrollBar = bar(parent, name, orientation, geometry);
    scrollBar->setRange(minimum, maximum);
    scrollBar->setValue(position);
    return scrollBar;
}

inline QLineEdit* field(QWidget* parent, const char* name, QRect geometry, bool readOnly = true) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    edit->setReadOnly(readOnly);
    return edit;
}

// A read-only box for a bar's value, centred.
inline QLineEdit* valueBox(QWidget* parent, const char* name, QRect geometry) {
    QLineEdit* box = field(parent, name, geometry);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

// 実行 calls `onRun` and then, for a dialog that closes on a run, hides it; 戻る hides the dialog.
enum class AfterRun { Stay, Hide };
inline void connectRunAndBack(QWidget* dialog, QPushButton* run, QPushButton* back, AfterRun after,
                              std::function<void()> onRun) {
    QObject::connect(run, &QPushButton::clicked, dialog, [dialog, after, onRun = std::move(onRun)] {
        onRun();
        if (after == AfterRun::Hide) dialog->hide();
    });
    QObject::connect(back, &QPushButton::clicked, dialog, &QWidget::hide);
}

// A dialog's caption: the file name of the image's path, without its folder.
inline QString fileNameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString formatted(std::string_view format, std::initializer_list<FormatArg> args) {
    return fromUtf8(formatText(format, args));
}

} // namespace tavlo
