// The map browsers, the map and name checks, help and About.

#include "frmMain.h"

#include "ModalInteraction.h"
#include "about/frmAbout.h"

void frmMain::cmdBrowse1_Click()
{
}

void frmMain::cmdBrowse2_Click()
{
}

void frmMain::txtMap_LostFocus()
{
}

void frmMain::txtName_LostFocus()
{
}

void frmMain::mnuAHelp_Click()
{
}

void frmMain::mnuAbout_Click()
{
}
