#include "MainWindowModel.h"

#include "Core.h"
#include "journal/DockInfo.h"
#include "journal/JournalBatch.h"

MainWindowModel::MainWindowModel(TessivarCore& core) : m_core(core) {}

void MainWindowModel::get_Docked_Info(const JournalBatch& lines)
{
    ::get_Docked_Info(lines, Info_Docked);
}
