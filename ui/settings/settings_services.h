#pragma once
// The system services the settings dialogs call: the colour chooser, the
// font chooser and the start of an editor. Tests put a scripted stand-in in
// their place, so no system dialog opens under test.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/canvas.h"

class QWidget;

namespace vosk {

// A font as the chooser shows it and hands it back: the height is in pixels
// of a surface of the DPI the chooser was given.
struct FontChoice {
    QString face;
    int heightPx = 0;
    Colour colour = 0;
    bool underline = false;
    bool strikeOut = false;
    bool bold = false;
    bool italic = false;
};

class SettingsServices {
public:
    virtual ~SettingsServices() = default;
    // A colour chosen starting from `initial`, or nothing when cancelled.
    virtual std::optional<Colour> ChooseColour(Colour initial, QWidget* parent) = 0;
    // A font chosen starting from `initial`, or nothing when cancelled.
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial, int dpi, QWidget* parent) = 0;
    // Starts a program detached; false when it could not be started.
    virtual bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) = 0;
};

// QColorDialog, QFontDialog with a colour button, QProcess::startDetached.
class QtSettingsServices : public SettingsServices {
public:
    std::optional<Colour> ChooseColour(Colour initial, QWidget* parent) override;
    std::optional<FontChoice> ChooseFont(const FontChoice& initial, int dpi, QWidget* parent) override;
    bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) override;
};

// The Qt services, one for the program.
SettingsServices& DefaultSettingsServices();

// Between the settings' colour value (red in the lowest byte) and QColor.
QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);

}  // namespace vosk
