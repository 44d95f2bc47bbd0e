// The questions the main window asks the user: file dialogs and message boxes. The program uses
// the Qt dialogs; the window tests put scripted answers in their place.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace tavlo {

class DialogService {
  public:
    enum class Answer { Yes, No, Cancel };
    // The name a save actually writes for the name chosen in the dialog (an extension added).
    using WrittenName = std::function<QString(const QString& chosen)>;

    virtual ~DialogService() = default;

    // filter is "description|pattern", as the menus define it.
    // An existing file; the dialog starts in `folder` when one is given and adds
    // `defaultSuffix` to a name typed without one. A dialog for JPEG or BMP files previews the
    // picture under the cursor.
    virtual std::optional<QString> openImage(QWidget* parent, const QString& title,
                                             const QString& filter, const QString& folder = {},
                                             const QString& defaultSuffix = {}) = 0;
    // The name to write, `writtenName` of the chosen one when given. The folder must exist and
    // the file must not be read-only; askOverwrite asks before replacing an existing file. All
    // three look at the name to write, and a refusal or a No opens the dialog again.
    virtual std::optional<QString> saveImage(QWidget* parent, const QString& title,
                                             const QString& filter, const QString& proposedName,
                                             bool askOverwrite,
                                             const WrittenName& writtenName = {}) = 0;
    // A plain message with one OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A confirmation with Yes and No, and Cancel when withCancel. Cancel as well when the box is
    // dismissed (Escape, its close box), with or without the button.
    virtual Answer confirm(QWidget* parent, const QString& text, bool withCancel) = 0;
    // An error the user did not cause (a file that cannot be read or written).
    virtual void reportError(QWidget* parent, const QString& text) = 0;
};

class QtDialogService : public DialogService {
  public:
    std::optional<QString> openImage(QWidget* parent, const QString& title, const QString& filter,
                                     const QString& folder, const QString& defaultSuffix) override;
    std::optional<QString> saveImage(QWidget* parent, const QString& title, const QString& filter,
                                     const QString& proposedName, bool askOverwrite,
                                     const WrittenName& writtenName = {}) override;
    void message(QWidget* parent, const QString& text) override;
    Answer confirm(QWidget* parent, const QString& text, bool withCancel) override;
    void reportError(QWidget* parent, const QString& text) override;
};

// "JPGﾌｧｲﾙ(*.JPG)|*.jpg" as a Qt name filter: the description, whose pattern in parentheses the
// file dialogs match without regard to letter case, or the description and the pattern when the
// description names none.
QString qtNameFilter(const QString& filter);

} // namespace tavlo
