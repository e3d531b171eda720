#include "ui/settings/settings_services.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "platform/cp932.h"
#include "platform/editor_launch.h"
#include "platform/qt_canvas.h"

namespace vosk {

QColor ToQColor(Colour c) { return QColor(ColourRed(c), ColourGreen(c), ColourBlue(c)); }

Colour FromQColor(const QColor& c) {
    return static_cast<Colour>(c.red()) | static_cast<Colour>(c.green()) << 8 | static_cast<Colour>(c.blue()) << 16;
}

std::optional<Colour> QtSettingsServices::ChooseColour(Colour initial, QWidget* parent) {
    QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

std::optional<FontChoice> QtSettingsServices::ChooseFont(const FontChoice& initial, int dpi, QWidget* parent) {
    // The font chooser of this platform has no colour: it is shown embedded
    // with a colour button below it.
    QDialog box(parent);
    box.setWindowTitle(QStringLiteral("フォント"));
    auto* layout = new QVBoxLayout(&box);
    auto* fonts = new QFontDialog(&box);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // The settings may name a Windows face: show the family that stands in.
    QString shownFamily = QtCanvas::FamilyForFace(Cp932Literal(initial.face.toStdString()));
    QFont start(shownFamily);
    start.setPointSizeF(std::max(1.0, initial.heightPx * 72.0 / std::max(1, dpi)));
    start.setUnderline(initial.underline);
    fonts->setCurrentFont(start);
    layout->addWidget(fonts);

    QColor colour = ToQColor(initial.colour);
    auto* colourRow = new QHBoxLayout;
    auto* colourButton = new QPushButton(QStringLiteral("色(&C)..."));
    auto* sample = new QLabel(QStringLiteral("■"));
    auto paintSample = [sample, &colour] { sample->setStyleSheet(QStringLiteral("color: %1").arg(colour.name())); };
    paintSample();
    QObject::connect(colourButton, &QPushButton::clicked, &box, [&] {
        QColor c = QColorDialog::getColor(colour, &box);
        if (c.isValid()) colour = c;
        paintSample();
    });
    colourRow->addWidget(colourButton);
    colourRow->addWidget(sample);
    colourRow->addStretch();
    layout->addLayout(colourRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);
    if (box.exec() != QDialog::Accepted) return std::nullopt;

    QFont chosen = fonts->currentFont();
    FontChoice result;
    // An unchanged family keeps the face name the settings had.
    result.face = chosen.family() == shownFamily ? initial.face : chosen.family();
    // A point size becomes whole pixels of the surface, as the sheet uses it.
    double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : initial.heightPx * 72.0 / std::max(1, dpi);
    result.heightPx = static_cast<int>(std::lround(points * dpi / 72.0));
    result.colour = FromQColor(colour);
    result.underline = chosen.underline();
    result.strikeOut = chosen.strikeOut();
    result.bold = chosen.bold();
    result.italic = chosen.italic();
    return result;
}

bool QtSettingsServices::StartProgram(const QString& program, const QStringList& arguments,
                                      const QString& workingFolder) {
    return StartDetachedProgram(program, arguments, workingFolder);
}

SettingsServices& DefaultSettingsServices() {
    static QtSettingsServices services;
    return services;
}

}  // namespace vosk
