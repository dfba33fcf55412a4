#pragma once
// The diskette exchange dialog ("Read / Write Diskette") of the carpet tool.
#include <QWidget>

class TDocument;
struct TCurrentColour;

// Shows the dialog modally for document; true when a diskette was read or written.
bool ShowDiskManager(QWidget* parent, TDocument& document, const TCurrentColour& colour);
