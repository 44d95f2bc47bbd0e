#include "document.h"

#include "bmp_codec.h"
#include "file_entry.h"
#include "file_io.h"
#include "image_file_type.h"
#include "jpeg_codec.h"
#include "photo_source.h"
#include "pixel_convert.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace tavlo {

namespace {

// Single-precision ratio; an image without height has none, and shows 0.
float ratio(int width, int height) {
    return height == 0 ? 0.0f : static_cast<float>(width) / static_cast<float>(height);
}

std::span<const std::uint8_t> asBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

std::string fileExtension(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string upperCased(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

ViewSize viewSizeFor(int displayScale, int width, int height, int fitWidth, int fitHeight) {
    if (displayScale != kFitDisplayScale) {
        const int divisor = displayScale > 0 ? displayScale : 1;
        return {width / divisor, height / divisor};
    }
    if (width <= 0 || height <= 0 || fitWidth <= 0 || fitHeight <= 0) return {};
    // The side that meets the box first fills it; the other keeps the aspect, rounded down, and
    // never vanishes.
    if (std::int64_t{width} * fitHeight <= std::int64_t{height} * fitWidth)
        return {
            static_cast<int>(std::max<std::int64_t>(1, std::int64_t{width} * fitHeight / height)),
            fitHeight};
    return {fitWidth,
            static_cast<int>(std::max<std::int64_t>(1, std::int64_t{height} * fitWidth / width))};
}

Document::Document() {
    for (int i = 0; i < kStatusPanelCount; ++i)
        panels[i] = initialPanelText(i);
    refreshQualityPanel();
}

void Document::setInformation(InformationTexts::Field field, std::string text) {
    if (startupLoad <= 0) information.fields[field] = std::move(text);
}

LoadOutcome Document::loadImageFile() {
    return loadDecodedFile(decodeImageFile(sourcePath, uprightOnLoad));
}

LoadOutcome Document::loadDecodedFile(DecodedFile file) {
    // Pixels are shared until written, so keeping the shown picture costs nothing.
    Document before = *this;
    LoadOutcome outcome = LoadOutcome::CannotRead;
    try {
        outcome = takeDecodedFile(std::move(file));
    } catch (...) {
        *this = std::move(before);
        throw;
    }
    if (outcome == LoadOutcome::Loaded) {
        loadedPath = sourcePath;
        return outcome;
    }
    std::string why = std::move(error);
    const FileProblem kind = problem;
    *this = std::move(before);
    sourcePath = loadedPath;
    error = std::move(why);
    problem = kind;
    return outcome;
}

LoadOutcome Document::takeDecodedFile(DecodedFile file) {
    currentFileName = upperCased(std::filesystem::path(sourcePath).filename().string());
    panels[NamePanel] = currentFileName;
    setInformation(InformationTexts::FileName, currentFileName);
    currentExt = fileExtension(currentFileName);
    if (file.outcome != LoadOutcome::Loaded) {
        error = std::move(file.error);
        problem = file.problem;
        return file.outcome;
    }
    undoImage = std::move(*file.decoded.image);
    iccProfile = std::move(file.iccProfile);
    photo_ = std::move(file.photo);
    const bool isJpeg = imageFileType(currentFileName) == ImageFileType::Jpeg;

    loadedWidth = undoImage.width();
    loadedHeight = undoImage.height();
    imageAspect = viewAspect = ratio(loadedWidth, loadedHeight);
    setInformation(InformationTexts::LoadedSize, pixelSizeInfoText(loadedWidth, loadedHeight));
    panels[WidthPanel] = widthPanelText(loadedWidth);
    panels[HeightPanel] = heightPanelText(loadedHeight);
    if (isJpeg) {
        setInformation(InformationTexts::LoadedAspect,
                       jpegAspectInfoText(viewAspect, bmpFormatText));
        panels[ColourPanel] = bmpFormatText;
    } else {
        showColourCount();
    }
    workImage = undoImage;
    if (!keepsUndoCopy) undoImage = Bitmap(); // so that the working image is the only copy
    showFileEntry(sourcePath);
    setDisplayScale(displayScale);
    noSourceFile = false;
    modified = false;
    return LoadOutcome::Loaded;
}

void Document::showColourCount() {
    const std::string text = colourCountText(undoImage.format());
    setInformation(InformationTexts::LoadedAspect, colourAspectInfoText(viewAspect, text));
    panels[ColourPanel] = text;
}

void Document::showFileEntry(const std::string& path) {
    const auto entry = lookUpFileEntry(path);
    if (!entry) return;
    panels[AttributePanel] = attributeText(*entry);
    setInformation(InformationTexts::Attributes, panels[AttributePanel]);
    setInformation(InformationTexts::CreatedTime, fileTimeText(entry->created));
    setInformation(InformationTexts::WrittenTime, fileTimeText(entry->lastWrite));
    setInformation(InformationTexts::FileSize, fileSizeInfoText(entry->size));
    panels[SizePanel] = fileSizePanelText(entry->size);
}

void Document::setDisplayScale(int scale) {
    displayScale = scale;
    panels[ScalePanel] = scalePanelText(scale);
    refreshView();
}

bool Document::setFitBox(int width, int height) {
    fitWidth = width;
    fitHeight = height;
    if (displayScale != kFitDisplayScale) return false;
    const int oldWidth = viewWidth, oldHeight = viewHeight;
    refreshView();
    return viewWidth != oldWidth || viewHeight != oldHeight;
}

void Document::refreshView() {
    imageWidth = workImage.width();
    imageHeight = workImage.height();
    imageAspect = viewAspect = ratio(imageWidth, imageHeight);
    setInformation(InformationTexts::CurrentSize, pixelSizeInfoText(imageWidth, imageHeight));
    setInformation(InformationTexts::CurrentAspect, aspectInfoText(imageAspect));
    panels[WidthPanel] = widthPanelText(imageWidth);
    panels[HeightPanel] = heightPanelText(imageHeight);
    const ViewSize view = viewSizeFor(displayScale, imageWidth, imageHeight, fitWidth, fitHeight);
    viewWidth = view.width;
    viewHeight = view.height;
    viewAspect = ratio(viewWidth, viewHeight);
    panels[AspectPanel] = viewAspectPanelText(viewAspect);
}

bool Document::applyKernelResult(KernelResult result) {
    if (!result) return false;
    workImage = std::move(*result);
    return true;
}

void Document::setChangeCaption(std::string_view caption) {
    if (startupLoad <= 0) information.changeCaption = caption;
}

void Document::undo() {
    workImage = undoImage;
    setDisplayScale(displayScale);
}

void Document::paste(Bitmap image) {
    workImage = std::move(image);
    undoImage = workImage;
    iccProfile.clear();
    photo_.reset();
    setDisplayScale(displayScale);
    showColourCount();
    panels[NamePanel].clear();
    panels[AttributePanel].clear();
    panels[SizePanel] = " ｻｲｽﾞ= ";
    noSourceFile = true;
    modified = false;
}

void Document::setBmpSaveFormat(PixelFormat format) {
    if (format != PixelFormat::Bit8 && format != PixelFormat::Bit24 && format != PixelFormat::Bit32)
        throw std::invalid_argument("BMP files are saved with 8, 24 or 32 bits per pixel");
    bmpSaveFormat = format;
    bmpFormatText = tavlo::bmpFormatText(format);
    refreshQualityPanel();
}

void Document::refreshQualityPanel() {
    panels[QualityPanel] = qualityStatusText(jpegQuality, bmpFormatText);
}

bool Document::extensionAcceptable(const std::string& path) {
    savePath = path;
    return fileExtension(path).size() >= 4;
}

SaveOutcome Document::finishSave(bool written) {
    if (!written) return SaveOutcome::WriteFailed;
    modified = false;
    return SaveOutcome::Saved;
}

SaveOutcome Document::saveJpeg(const std::string& path) {
    if (!extensionAcceptable(path)) return SaveOutcome::BadExtension;
    EncodedJpeg encoded;
    try {
        if (photo_)
            encoded = photo_->encode(workImage, {jpegQuality, keepMetadata, losslessTurns});
        else
            encoded.bytes = encodeJpeg(workImage, jpegQuality);
    } catch (const std::runtime_error& e) {
        error = e.what();
        problem = FileProblem::WriteFailed;
        return SaveOutcome::WriteFailed;
    }
    const std::span<const std::uint8_t> pieces[] = {asBytes(encoded.bytes)};
    const SaveOutcome outcome = finishSave(writeFileAtomically(path, pieces, error, &problem));
    if (outcome == SaveOutcome::Saved) lastSaveLossless = encoded.lossless;
    return outcome;
}

std::string Document::jpegSaveReport() const {
    return lastSaveLossless ? "JPG無劣化保存（回転・反転のみ）"
                            : "JPG再圧縮保存（圧縮度 " + std::to_string(jpegQuality) + "）";
}

SaveOutcome Document::saveBmp(const std::string& path) {
    if (!extensionAcceptable(path)) return SaveOutcome::BadExtension;
    setPixelFormat(workImage, bmpSaveFormat);
    const BmpFileParts file = encodeBmp(workImage);
    const std::span<const std::uint8_t> pieces[] = {asBytes(file.header), file.pixels};
    return finishSave(writeFileAtomically(path, pieces, error, &problem));
}

} // namespace tavlo
