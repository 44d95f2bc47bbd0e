// The one image document of the main window: the working and undo bitmaps, the flags,
// paths and settings, loading and saving, undo, and the texts of the status bar and of the
// information window that follow from them. Questions to the user, cursors and menus are the
// caller's; this class only reports outcomes.
#pragma once

#include "bitmap.h"
#include "decoded_file.h"
#include "file_problem.h"
#include "kernel_result.h"
#include "parameter_range.h"
#include "texts.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

class PhotoSource;

// The display scale that shows the whole picture as large as it fits in the document's fit box.
inline constexpr int kFitDisplayScale = 0;

// The information window's nine fields, and the caption of its second group.
struct InformationTexts {
    enum Field {
        FileName,      // "ﾌｧｲﾙ名"
        Attributes,    // "属性"
        FileSize,      // "ﾌｧｲﾙ長"
        WrittenTime,   // hint "ﾌｧｲﾙ作成日時", shows the last write
        CreatedTime,   // hint "ﾌｧｲﾙ更新日時", shows the creation
        LoadedSize,    // "画像ﾋﾟｸｾﾙ値"
        LoadedAspect,  // "縦横比（色数）"
        CurrentSize,   // "画像ﾋﾟｸｾﾙ値" of the change group
        CurrentAspect, // "縦横比" of the change group
        FieldCount
    };
    std::array<std::string, FieldCount> fields;
    std::string changeCaption{kChangeGroupCaption};
};

struct ViewSize {
    int width = 0, height = 0;
};

// The size the view shows an image of width x height at a display scale; kFitDisplayScale fits it
// in fitWidth x fitHeight.
ViewSize viewSizeFor(int displayScale, int width, int height, int fitWidth, int fitHeight);

enum class SaveOutcome {
    Saved,
    BadExtension, // shorter than four characters with its dot: kBadExtensionMessage
    WriteFailed,  // see `error`; an existing file is left as it was
};

class Document {
  public:
    Document();

    Bitmap workImage;
    Bitmap undoImage;

    bool modified = false;
    bool noSourceFile = true;
    int startupLoad = 0; // above 0 during the first load at start-up: no information texts

    std::string sourcePath;
    std::string loadedPath; // the file the picture shown came from; empty before the first load
    std::string savePath;
    std::string currentFileName; // upper-cased, no folder
    std::string currentExt;      // ".JPG"
    std::string programFolder;   // with a trailing separator

    int displayScale = 1;
    int jpegQuality = kJpegQuality.defaultValue;
    PixelFormat bmpSaveFormat = PixelFormat::Bit24;
    std::string bmpFormatText = "(24bits)";

    int loadedWidth = 0, loadedHeight = 0;
    int imageWidth = 0, imageHeight = 0;
    int viewWidth = 0, viewHeight = 0; // the view shows workImage stretched to this size
    int fitWidth = 0, fitHeight = 0;   // the room the view has, for kFitDisplayScale
    float imageAspect = 0, viewAspect = 0;

    std::array<std::string, kStatusPanelCount> panels;
    InformationTexts information;

    // A JPEG is set upright as its EXIF orientation says; when off, its stored pixels are taken
    // as they are and a save leaves the orientation tag alone.
    bool uprightOnLoad = true;
    // A JPEG saved from a picture loaded from a JPEG carries that file's tags and profile,
    // updated to the new pixels.
    bool keepMetadata = true;
    // A JPEG save of a picture that is only a turn of the file's stored pixels (the turn on load
    // included, and not none at all) writes the file's own blocks turned when the turn is
    // perfect, instead of encoding at jpegQuality.
    bool losslessTurns = true;
    // Whether the last JPEG save was such a turn.
    bool lastSaveLossless = false;
    // The main window's short report of the last JPEG save: turned without loss, or encoded.
    std::string jpegSaveReport() const;

    // The ICC profile embedded in the loaded JPEG, which the working pixel values are in; empty
    // when they are sRGB: a JPEG without one, a CMYK JPEG converted through its profile on load,
    // a BMP and a pasted image.
    std::vector<std::uint8_t> iccProfile;

    // The last failure's one-line reason and its kind (a failed load, WriteFailed).
    std::string error;
    FileProblem problem = FileProblem::None;

    // Reads sourcePath into the document, by its extension alone (imageFileType). Throws
    // std::bad_alloc when memory runs out; the document is unchanged then.
    LoadOutcome loadImageFile();
    // The same load from a decode of sourcePath made before (decodeImageFile).
    LoadOutcome loadDecodedFile(DecodedFile file);
    // The colour-count texts of undoImage's format, in panel 7 and the information window.
    void showColourCount();
    // Attributes, dates and size of a file, when it exists.
    void showFileEntry(const std::string& path);

    void setDisplayScale(int scale);
    // The room the view has changed; true when that changed the view size.
    bool setFitBox(int width, int height);
    // Undo: the working image becomes the undo copy again; the copy stays.
    void undo();
    // Off in the batch tool, which has no undo: kernels may then change the working image where
    // it lies, and the old image is freed as soon as the new one exists.
    bool keepsUndoCopy = true;
    // Runs before a kernel changes the working image.
    void takeUndoCopy() {
        if (keepsUndoCopy) undoImage = workImage;
    }
    // The working image becomes the kernel's result; false, and nothing changes, on a refusal.
    bool applyKernelResult(KernelResult result);
    // The information window's second group tells what last changed the image.
    void setChangeCaption(std::string_view caption);

    // A pasted image replaces the document: it is held in the device format, becomes its own
    // undo copy, and has no file behind it. The file names stay those of the last load.
    void paste(Bitmap image);

    void setBmpSaveFormat(PixelFormat format);
    void refreshQualityPanel();

    // The saves write through writeFileAtomically, so a read-only target is a WriteFailed. Both
    // throw std::bad_alloc when memory runs out, before the file is touched.
    SaveOutcome saveJpeg(const std::string& path);
    // Converts the working image itself to bmpSaveFormat before writing.
    SaveOutcome saveBmp(const std::string& path);

  private:
    std::shared_ptr<const PhotoSource> photo_;

    LoadOutcome takeDecodedFile(DecodedFile file);

    void refreshView();
    void setInformation(InformationTexts::Field field, std::string text);
    bool extensionAcceptable(const std::string& path);
    SaveOutcome finishSave(bool written);
};

// The extension of a path's file name from its last dot, dot included; "" when there is none.
std::string fileExtension(const std::string& path);
// ASCII letters upper-cased; other bytes (Japanese in UTF-8) unchanged.
std::string upperCased(std::string text);

} // namespace tavlo
