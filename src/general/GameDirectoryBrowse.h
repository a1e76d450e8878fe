#pragma once

class ModDocument;
class ModalInteraction;
class QWidget;

// Asks for the game directory until a folder holding the game is chosen,
// which the document takes, or the dialog is cancelled. The Deus Ex Path
// field's browse button and start-up ask the same way.
void browseForGameDirectory(ModalInteraction& ui, QWidget* parent, ModDocument& document);
