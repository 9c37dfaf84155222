// The menu's commands, by their identifiers. RkEngine takes them as the loop
// takes its messages; the menu bar queues them and the layer keys run them.
// A new menu item gets an identifier here, an item in RkEditorMenuBar and a
// case in RkEngine::HandleMenuCommand.
#pragma once

struct RkMenuCommands {
  enum MenuCommand {
    CommandMapEditor = 2100,
    CommandNPCEditor = 2101,
    CommandCreatureEditor = 666,
    CommandItemEditor = 667,
    CommandExit = 2102,
    CommandExportGame = 2103,
    CommandGameSettings = 2104,
    CommandAbout = 2200,
    CommandViewGrid = 2300,
    CommandViewCellKinds = 2301,
    CommandViewLinks = 2302,
    CommandViewTilePalette = 2303,
    CommandUndo = 2400,
    CommandRedo = 2401,
    CommandCheckMaps = 2500,
    CommandPlaytest = 2501,
    CommandSetStartHere = 2502
  };
};
