// The main window's bindings between the tool windows and the current document.
#include "colour/Colorchange_f.h"
#include "colour/Colorref.h"
#include "colour/Grouping_f.h"
#include "colour/Groupingtool.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "colour/Separate_f.h"
#include "colour/Separatetool.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Filedialog_f.h"
#include "shell/Filetypes.h"
#include "shell/Fullview_f.h"
#include "shell/History.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu.h"
#include "shell/Mainmenu_f.h"
#include "shell/Progress_f.h"
#include "textile/Carpet_f.h"
#include "textile/Carpettool.h"
#include "textile/Jacquard_f.h"
#include "textile/Jacquardtool.h"
#include "textile/Stripe_f.h"
#include "textile/Stripetool.h"
#include "tools/Draw_f.h"
#include "tools/Drawtool.h"
#include "tools/Fill_f.h"
#include "tools/Filltool.h"
#include "tools/Movecopy.h"
#include "tools/Movecopy_f.h"
#include "tools/Patternrepeat.h"
#include "tools/Patternrepeat_f.h"
#include "tools/Penmanager_f.h"
#include "tools/Penmask.h"
#include "tools/Penobject.h"
#include "tools/Penpaint.h"
#include "tools/Penpick.h"
#include "tools/Pensettings.h"
#include "tools/Pentool.h"
#include "tools/Repeat_f.h"
#include "tools/Repeattool.h"
#include "tools/Spreadfill_f.h"
#include "tools/Spreadtool.h"
#include "tools/Undolist_f.h"
#include "tools/Window_f.h"
#include "tools/Windowtool.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>

namespace {

// The design of the current document window, or null.
const TDocument* CurrentDesign() {
    const TMainImageForm* doc = CurrentDocument();
    return doc ? &doc->Document() : nullptr;
}

} // namespace

void TMainForm::ConnectToolWindows() {
    // The current colour: the palette window chooses it and follows picks on the design.
    TToolDispatch& dispatch = MainMenu_->Dispatch();
    Palette_->SetDispatch(&dispatch);
    dispatch.OnColourChanged = [this](const TCurrentColour& colour) {
        Palette_->ShowColour(colour);
        Pen_->ShowColour(colour);
        if (auto* fill = qobject_cast<TFillForm*>(MainMenu_->ToolWindow()))
            fill->ShowColour(ShownColour(colour));
    };
    Pen_->ShowColour(dispatch.Colour());
    // With no tool active the pen paints, as the pen window sets it up; Pen.Ini keeps it.
    PenRandom = std::make_unique<TOrvaneRandom>();
    Pen = std::make_unique<TPenObject>();
    const TPenSettings pen = ReadPenSettings(TIniFile(SettingsFile(QStringLiteral("Pen.Ini"))));
    ApplyPenSettings(*Pen, pen);
    Pen_->SetSettings(pen);
    Pen_->OnChange = [this](const TPenSettings& settings) {
        ApplyPenSettings(*Pen, settings);
        TIniFile ini(SettingsFile(QStringLiteral("Pen.Ini")));
        WritePenSettings(ini, settings);
        ini.UpdateFile();
    };
    dispatch.Context().Pen = Pen.get();
    auto penTool = std::make_unique<TPenTool>(PenRandom.get());
    ConnectPenWindow(*penTool);
    dispatch.SetIdleTool(std::move(penTool));
    // The superimpose mode of the full view and its overlap are every tool's.
    auto superimpose = [this] {
        TToolContext& context = MainMenu_->Dispatch().Context();
        context.Super = FullView_->Super();
        context.Overlap = FullView_->Overlap();
    };
    FullView_->OnSuperChange = superimpose;
    FullView_->OnOverlapChange = superimpose;
    superimpose();
    // Tool windows that exist so far; the others come with their tools.
    MainMenu_->ToolExists = [](int tool) {
        return tool == ToolUndo || tool == ToolDraw || tool == ToolMoveCopy || tool == ToolWindow ||
               tool == ToolSpreadFill || tool == ToolFill || tool == ToolRepeat ||
               tool == ToolPatternRepeat || tool == ToolCarpet || tool == ToolGrouping ||
               tool == ToolSeparate || tool == ToolStripe || tool == ToolColorChange || tool == ToolJacquard;
    };
    MainMenu_->CreateToolWindow = [this](int tool, QWidget* owner) -> QWidget* {
        if (tool == ToolWindow) {
            auto* window = new TWindowForm(owner);
            window->setFont(UserFont());
            ShowToolPalette(window, CurrentDesign());
            return window;
        }
        QWidget* window = nullptr;
        if (tool == ToolDraw) window = new TDrawForm(owner);
        if (tool == ToolMoveCopy) window = new TMoveCopyForm(owner);
        if (window) {
            window->setFont(UserFont());
            return window;
        }
        if (tool == ToolSpreadFill) {
            auto* spread = new TSpreadFillForm(owner);
            spread->setFont(UserFont());
            ShowToolPalette(spread, CurrentDesign());
            return spread;
        }
        if (tool == ToolFill) {
            auto* fill = new TFillForm(owner);
            fill->setFont(UserFont());
            ShowToolPalette(fill, CurrentDesign());
            return fill;
        }
        if (tool == ToolGrouping || tool == ToolSeparate || tool == ToolColorChange) {
            QWidget* colours = nullptr;
            if (tool == ToolGrouping)
                colours = new TGroupingForm(owner);
            else if (tool == ToolColorChange)
                colours = new TColorChangeForm(owner);
            else {
                auto* separate = new TSeparateForm(owner);
                separate->OnPrint = [this](const QString& job) { PrintCurrent(job); };
                separate->OnExit = [this] { MainMenu_->CloseTool(); };
                colours = separate;
            }
            colours->setFont(UserFont());
            ShowToolPalette(colours, CurrentDesign());
            return colours;
        }
        if (tool == ToolRepeat) {
            // The tile is the current design's selection; without one the stored tile stays.
            auto* repeat = new TRepeatForm(owner);
            repeat->setFont(UserFont());
            const TMainImageForm* doc = CurrentDocument();
            if (doc && doc->Document().HasSelection())
                repeat->SetTile(doc->Document().Selection().boundingRect());
            return repeat;
        }
        if (tool == ToolCarpet) {
            auto* carpet = new TCarpetForm(owner);
            carpet->setFont(UserFont());
            carpet->OnFile = [this] {
                const TFileChoice choice = OpenFileDialog(this, LastFileFolder(), TypeCpt);
                if (choice.Path.isEmpty()) return;
                RememberFileFolder(QFileInfo(choice.Path).absolutePath());
                OpenFile(choice.Path, choice.Type, choice.Bits);
            };
            return carpet;
        }
        if (tool == ToolJacquard) {
            auto* jacquard = new TJacquardForm(owner);
            jacquard->setFont(UserFont());
            return jacquard;
        }
        if (tool == ToolStripe) {
            auto* stripe = new TStripeForm(owner);
            stripe->setFont(UserFont());
            return stripe;
        }
        if (tool == ToolPatternRepeat) {
            auto* pattern = new TPatternRepeatForm(owner);
            pattern->setFont(UserFont());
            return pattern;
        }
        if (tool != ToolUndo) return nullptr;
        auto* list = new TUndoForm(UndoStore(), owner);
        list->OnUndo = [] {
            TMainImageForm* doc = CurrentDocument();
            return doc && doc->Undo();
        };
        list->setFont(UserFont());
        return list;
    };
    // The window is made first; the engine it drives comes after it.
    MainMenu_->CreateToolEngine = [this](int tool) -> std::unique_ptr<TTool> {
        TToolContext* context = &MainMenu_->Dispatch().Context();
        if (tool == ToolWindow) {
            auto engine = std::make_unique<TWindowTool>();
            if (auto* window = qobject_cast<TWindowForm*>(MainMenu_->ToolWindow()))
                window->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolMoveCopy) {
            // The piece is lifted from the current design (the context's) as the tool starts.
            auto engine = std::make_unique<TMoveCopyTool>();
            if (auto* form = qobject_cast<TMoveCopyForm*>(MainMenu_->ToolWindow()))
                form->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolSpreadFill) {
            auto engine = std::make_unique<TSpreadTool>();
            engine->OnProgress = [this](int percent) {
                ShowProgress(percent);
                ProgressBar()->repaint(); // the spread holds the event loop until it ends
            };
            if (auto* spread = qobject_cast<TSpreadFillForm*>(MainMenu_->ToolWindow()))
                spread->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolFill) {
            auto engine = std::make_unique<TFillTool>();
            engine->OnProgress = [this](int percent) {
                ShowProgress(percent);
                ProgressBar()->repaint(); // the fill holds the event loop until it ends
            };
            if (auto* fill = qobject_cast<TFillForm*>(MainMenu_->ToolWindow()))
                fill->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolGrouping) {
            auto engine = std::make_unique<TGroupingTool>();
            engine->OnProgress = [this](int percent) {
                ShowProgress(percent);
                ProgressBar()->repaint(); // the run holds the event loop until it ends
            };
            if (auto* grouping = qobject_cast<TGroupingForm*>(MainMenu_->ToolWindow()))
                grouping->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolColorChange) {
            auto engine = std::make_unique<TColorChangeTool>(PenRandom.get());
            if (auto* change = qobject_cast<TColorChangeForm*>(MainMenu_->ToolWindow()))
                change->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolSeparate) {
            auto engine = std::make_unique<TSeparateTool>();
            if (auto* separate = qobject_cast<TSeparateForm*>(MainMenu_->ToolWindow()))
                separate->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolRepeat) {
            auto engine = std::make_unique<TRepeatTool>();
            engine->LongRun = [this](const auto& job) {
                return RunWithProgress(this, QStringLiteral("Repeat"), job);
            };
            if (auto* repeat = qobject_cast<TRepeatForm*>(MainMenu_->ToolWindow()))
                repeat->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolCarpet) {
            auto engine = std::make_unique<TCarpetTool>();
            if (auto* carpet = qobject_cast<TCarpetForm*>(MainMenu_->ToolWindow()))
                carpet->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolJacquard) {
            auto engine = std::make_unique<TJacquardTool>();
            if (auto* jacquard = qobject_cast<TJacquardForm*>(MainMenu_->ToolWindow()))
                jacquard->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolStripe) {
            auto engine = std::make_unique<TStripeTool>();
            if (auto* stripe = qobject_cast<TStripeForm*>(MainMenu_->ToolWindow()))
                stripe->Attach(engine.get(), context);
            return engine;
        }
        if (tool == ToolPatternRepeat) {
            auto engine = std::make_unique<TPatternRepeatTool>();
            if (auto* pattern = qobject_cast<TPatternRepeatForm*>(MainMenu_->ToolWindow()))
                pattern->Attach(engine.get(), context);
            return engine;
        }
        if (tool != ToolDraw) return nullptr;
        auto engine = std::make_unique<TDrawTool>();
        if (auto* draw = qobject_cast<TDrawForm*>(MainMenu_->ToolWindow()))
            draw->Attach(engine.get(), context);
        return engine;
    };
    MainMenu_->OnPrint = [this] { FPrintingClick(); };
    MainMenu_->OnHint = [this](const QString& hint) { StatusPanel(4)->setText(hint); };
    MainMenu_->OnToolClosed = [this] {
        FullView_->ShowImage(CurrentDocument());
        UpdateMenuItems();
    };
    // Keys reach the current document through the tool palette.
    MainMenu_->OnDocumentKey = [](QKeyEvent* event, bool release) {
        TMainImageForm* doc = CurrentDocument();
        if (doc && !release && doc->KeyPress(event->key(), event->modifiers())) event->accept();
    };
}

void TMainForm::ConnectPenWindow(TPenTool& tool) {
    // What the pen window needs of the current design goes through here; colours
    // picked on it come back from the pen's engine.
    tool.OnPicked = [this](const std::vector<int>& colours) { Pen_->ColoursPicked(colours); };
    Pen_->OnPick = [this, &tool](int mode) { tool.SetPick(MainMenu_->Dispatch().Context(), mode); };
    Pen_->OnAllColours = [] {
        const TMainImageForm* doc = CurrentDocument();
        return doc ? DesignColourIndices(doc->Document().Picture(), doc->Document().Palette())
                   : std::vector<int>();
    };
    Pen_->OnMakePattern = []() -> std::shared_ptr<const TAirPattern> {
        const TMainImageForm* doc = CurrentDocument();
        if (!doc || !doc->Document().HasSelection()) {
            ReportError(ErrorCode::NoWorkArea);
            return nullptr;
        }
        auto pattern = MakeAirPattern(doc->Document().Picture(), doc->Document().Selection().boundingRect());
        if (!pattern) ReportError(ErrorCode::OutOfMemory);
        return pattern;
    };
    Pen_->OnMaskAction = [](int action) {
        if (TMainImageForm* doc = CurrentDocument()) ApplyMaskAction(doc->Document(), action);
    };
}

void TMainForm::ShowPenPalette(TMainImageForm* form) {
    if (form != CurrentDocument()) return;
    Pen_->SetPalette(&form->Document().Palette(), form->Document().BitsPerPixel());
    ShowToolPalette(MainMenu_->ToolWindow(), &form->Document());
}

void TMainForm::ShowToolPalette(QWidget* tool, const TDocument* design) {
    const TPalette* palette = design ? &design->Palette() : nullptr;
    const int bits = design ? design->BitsPerPixel() : 8;
    if (auto* window = qobject_cast<TWindowForm*>(tool)) window->SetPalette(palette, bits);
    if (auto* spread = qobject_cast<TSpreadFillForm*>(tool)) spread->SetPalette(palette);
    if (auto* carpet = qobject_cast<TCarpetForm*>(tool)) carpet->ShowDesign();
    if (auto* grouping = qobject_cast<TGroupingForm*>(tool)) grouping->SetPalette(palette);
    if (auto* separate = qobject_cast<TSeparateForm*>(tool)) separate->SetPalette(palette);
    if (auto* stripe = qobject_cast<TStripeForm*>(tool)) stripe->ShowDesign();
    if (auto* change = qobject_cast<TColorChangeForm*>(tool)) change->SetPalette(palette);
    if (auto* fill = qobject_cast<TFillForm*>(tool)) {
        fill->SetPalette(palette);
        fill->ShowColour(ShownColour(MainMenu_->Dispatch().Colour()));
    }
}

const TPalette* TMainForm::ToolPalette(QWidget* tool) {
    if (auto* window = qobject_cast<TWindowForm*>(tool)) return window->ShownPalette();
    if (auto* spread = qobject_cast<TSpreadFillForm*>(tool)) return spread->ColorSelector->Palette();
    if (auto* fill = qobject_cast<TFillForm*>(tool)) return fill->Selector->Palette();
    if (auto* grouping = qobject_cast<TGroupingForm*>(tool)) return grouping->Selector->Palette();
    if (auto* separate = qobject_cast<TSeparateForm*>(tool)) return separate->SepSelector->Palette();
    if (auto* change = qobject_cast<TColorChangeForm*>(tool)) return change->Selector->Palette();
    return nullptr;
}

QColor TMainForm::ShownColour(const TCurrentColour& colour) const {
    const TMainImageForm* doc = CurrentDocument();
    if (colour.HasRgb && (!doc || doc->Document().BitsPerPixel() != 8)) return ToQColor(colour.Rgb);
    return doc ? ToQColor(doc->Document().Palette()[colour.Index & 0xFF].ColorRef()) : QColor(Qt::black);
}
