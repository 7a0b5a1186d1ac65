#pragma once

namespace lumetra {

class Dialogs;
class ProgramLauncher;
class PointerControl;
class PrinterService;
class WorkbookService;
class CaptureService;

// The outside components every window reaches through: real ones in the program, scripted ones
// in tests. Entries a window does not use may stay null in a test.
struct Services
{
    Dialogs *dialogs = nullptr;
    ProgramLauncher *launcher = nullptr;
    PointerControl *pointer = nullptr;
    PrinterService *printer = nullptr;
    WorkbookService *workbook = nullptr;
    CaptureService *capture = nullptr;
};

} // namespace lumetra
