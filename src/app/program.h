// The program's windows: the main window, its commands, and every secondary window, all owned
// by the main window, so that closing it ends the program whatever else is open.
#pragma once

#include "widgets/dialog_service.h"

#include <QString>

namespace tavlo {

class MainWindow;
class GeometryCommands;
class FilterCommands;
class ToneCommands;
class PrintCommands;
class FileInfoWindow;
class JpegQualityDialog;
class VersionWindow;
class HelpViewer;

class Program {
  public:
    // Creates the main window and then the secondary windows in their fixed order.
    Program(DialogService& dialogs, const QString& startupFile, const QString& helpFile);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    MainWindow& mainWindow() const { return *mainWindow_; }
    GeometryCommands& geometry() const { return *geometry_; }
    FilterCommands& filters() const { return *filters_; }
    ToneCommands& tone() const { return *tone_; }
    PrintCommands& printing() const { return *printing_; }
    FileInfoWindow& fileInfoWindow() const { return *fileInfoWindow_; }
    JpegQualityDialog& jpegQualityDialog() const { return *jpegQualityDialog_; }
    VersionWindow& versionWindow() const { return *versionWindow_; }
    HelpViewer& help() const { return *help_; }

  private:
    MainWindow* mainWindow_;
    GeometryCommands* geometry_;
    FileInfoWindow* fileInfoWindow_;
    JpegQualityDialog* jpegQualityDialog_;
    VersionWindow* versionWindow_;
    PrintCommands* printing_;
    FilterCommands* filters_;
    ToneCommands* tone_;
    HelpViewer* help_;
};

} // namespace tavlo
