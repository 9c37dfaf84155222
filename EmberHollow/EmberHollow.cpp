// The game's start-up, its fixed-step main loop, the scene registration and the
// simulation step (keys, NPC random walk, area change, the player's walk, and
// the conversations with NPCs).
#include "EmberHollow.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <sys/stat.h>

#include "ConversationBox.h"
#include "RkError.h"
#include "RkFailure.h"
#include "RkPathResolver.h"
#include "RkSheetCell.h"

namespace {

constexpr const char* kSourceName = "EmberHollow";
constexpr int kFrequencyFailureLine = 91;
constexpr int kStartCounterFailureLine = 95;
constexpr int kPassCounterFailureLine = 109;
constexpr int kNewAreaNameCapacity = 500;
constexpr const char* kWorldSourceName = "RkWorld";
constexpr int kWorldOpenFailureLine = 407;
constexpr const char* kStartOutsideCause = "The player must start on a cell of the map.\n";

// Key priority of a step: the first key down in this order counts.
struct KeyCommand {
  int keyCode;
  RkDirection direction;
};
constexpr KeyCommand kArrowCommands[] = {
    {DIK_LEFT, DirectionLeft},
    {DIK_RIGHT, DirectionRight},
    {DIK_UP, DirectionUp},
    {DIK_DOWN, DirectionDown},
};

}  // namespace

EmberHollow::EmberHollow()
    : running(1),
      renderer(RkProgram::Game),
      width(kClientWidth),
      height(kClientHeight),
      lastCounter(0),
      counterFrequency(0),
      simulatedTime(0.0),
      currentTime(0.0),
      mode(kWalkingMode),
      areaChangePending(0),
      accumulator(0.0),
      frameCount(0),
      facing(DirectionDown),
      previousKeys{},
      escapeHeldFromConversation(false),
      playerImage(kPlayerImage) {
  // A walk lasts its 16 steps at any frame rate; at 60 frames a second that
  // is one walk frame per drawn frame.
  renderer.SetWalkClock(RkDirect3D::WalkClock::Steps);
}

void EmberHollow::Run(GameClock& clock, GameTarget drawTarget) {
  Start(clock, drawTarget);
  while (running != 0) RunPass(clock);
}

void EmberHollow::Start(GameClock& clock, GameTarget drawTarget) {
  std::srand(static_cast<unsigned>(static_cast<uint32_t>(std::time(nullptr))));
  ReadSettings();
  std::optional<RkFailure> missingMap = StartFirstMapLoad();
  StartDevices(drawTarget);
  FinishFirstMapLoad(missingMap);
  CheckStartCell();
  LoadNPCLibrary();
  FindPlayerImage();
  BuildScene();
  if (!clock.QueryFrequency(counterFrequency)) {
    ReportWin32Error("Failed to retrieve the frequency of the high-resolution performance counter.",
                     kSourceName, kFrequencyFailureLine);
  }
  if (!clock.QueryCounter(lastCounter)) {
    ReportWin32Error("Failed to retrieve the current value of the high-resolution performance counter.",
                     kSourceName, kStartCounterFailureLine);
  }
  accumulator = 0.0;
}

void EmberHollow::StartDevices(GameTarget drawTarget) {
  if (drawTarget == GameTarget::Offscreen) {
    renderer.InitializeOffscreen(width, height);
    return;
  }
  window.Create(width, height, settings.GetTitle().c_str());
  renderer.Initialize(window);
  input.Create();
  input.CreateKeyboard(window.GetHandle());
  input.SetKeysUpWithoutFocus(true);
}

// The library is the editor's file and may be missing or damaged; the game
// then plays on, and NPCs without dialogues have nothing to say. A library that
// fails to read is left empty, as the loader leaves it.
// Settings come before the window, which takes their title; a wrong line ends
// the game before anything opens. Without "Game.ini" and without arguments the
// player starts on (0, 0), as the game always has.
void EmberHollow::ReadSettings() {
  settings = RkGameSettings::ReadFrom("");
  if (settings.HasProblems()) settings.ProblemsFailure().Report();
  if (commandLine.HasStart()) {
    player.SetPosition(commandLine.GetStartX(), commandLine.GetStartY());
  } else if (commandLine.HasMap()) {
    player.SetPosition(0, 0);  // Game.ini's start belongs to its own first map
  } else {
    player.SetPosition(settings.GetStartX(), settings.GetStartY());
  }
}

// The first map is read while the window opens: a big one takes a while. A
// map that can't be found or read is reported once the window is open, as it
// always was.
std::optional<RkFailure> EmberHollow::StartFirstMapLoad() {
  std::string mapFile;
  std::optional<RkFailure> missing = FindFirstMap(mapFile);
  if (!missing) firstMapLoad.Start(mapFile);
  return missing;
}

void EmberHollow::FinishFirstMapLoad(const std::optional<RkFailure>& missingMap) {
  if (missingMap) missingMap->Report();
  if (std::optional<RkFailure> failure = firstMapLoad.Finish(world)) failure->Report();
}

// Without settings "World.rkm" is opened as it stands, and its absence gives
// the world's own report. A map that Game.ini or the command line names is
// found like the map of a New Area cell.
std::optional<RkFailure> EmberHollow::FindFirstMap(std::string& mapFile) {
  if (commandLine.HasMap()) {
    std::optional<RkFailure> missing = TryFindMapFile(commandLine.GetMap().c_str(), mapFile);
    firstMapFile = mapFile;
    return missing;
  }
  if (!settings.CameFromFile()) {
    mapFile = kWorldFile;
    return std::nullopt;
  }
  mapFile = settings.GetMap();
  if (!RkPathResolver::Instance().Find(settings.GetMap().c_str(), mapFile) &&
      settings.LineOf(RkGameSettings::Key::Map) > 0) {
    return settings.MissingMapProblem().ToFailure();
  }
  return std::nullopt;
}

// A start cell off the map, or (from Game.ini) on a cell the player cannot
// stand on, would leave the player stuck in the dark.
void EmberHollow::CheckStartCell() {
  const int x = player.GetX();
  const int y = player.GetY();
  if (commandLine.HasStart()) {
    if (world.IsInBounds(x, y)) return;
    const std::string message = "The start cell (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") given by --start is outside the map " + world.GetFileName() + " of " +
                                std::to_string(world.GetWidth()) + " by " + std::to_string(world.GetHeight()) +
                                " cells.";
    RkFailure(message.c_str(), kStartOutsideCause, kSourceName, __LINE__).Report();
  }
  if (commandLine.HasMap()) return;
  const int32_t kind = world.IsInBounds(x, y) ? world.GetTileType(x, y) : TileNull;
  if (auto problem = settings.CheckStart(world.GetWidth(), world.GetHeight(), kind)) problem->ToFailure().Report();
}

// Game.ini's hero must exist (for a cell of a sheet, the sheet); the default
// hero, as without settings, is reported by the sprite when it cannot be
// loaded, as is a cell that lies outside its sheet.
void EmberHollow::FindPlayerImage() {
  playerImage = settings.GetPlayerImage();
  if (settings.LineOf(RkGameSettings::Key::Player) == 0) return;
  const RkSheetCell cell = RkSheetCell::Locate("", playerImage);
  const std::string& file = cell.IsCell() ? cell.GetSheet() : playerImage;
  std::string found;
  if (!RkPathResolver::Instance().Find(file.c_str(), found)) {
    settings.MissingPlayerImageProblem().ToFailure().Report();
  }
}

void EmberHollow::LoadNPCLibrary() {
  if (npcLibrary.TryLoadNPCFile(RkNPCList::kFileName)) npcLibrary = RkNPCList();
}

int EmberHollow::RunPass(GameClock& clock) {
  PumpMessages();
  accumulator += ReadElapsedTime(clock);
  const int steps = RunDueSteps();
  RkRect presentRect{0, 0, width, height};
  renderer.RenderFrame(&presentRect, width, height, player.GetX(), player.GetY());
  ++frameCount;
  return steps;
}

double EmberHollow::ReadElapsedTime(GameClock& clock) {
  int64_t now = 0;
  if (!clock.QueryCounter(now)) {
    ReportWin32Error("Failed to retrieve the current value of the high-resolution performance counter.",
                     kSourceName, kPassCounterFailureLine);
  }
  const int64_t delta = now - lastCounter;
  lastCounter = now;
  currentTime = static_cast<double>(now) / static_cast<double>(counterFrequency);
  double elapsed = static_cast<double>(delta) / static_cast<double>(counterFrequency);
  if (elapsed > kMaxPassTime) elapsed = kMaxPassTime;
  // A counter that steps back (a faulty platform counter) counts as no time:
  // a negative amount would stall the simulation until the time was made up.
  if (elapsed < 0.0) elapsed = 0.0;
  return elapsed;
}

int EmberHollow::RunDueSteps() {
  int steps = 0;
  // The test comes first: less than a step's time accumulated runs no step.
  // The steps do not look at running: after Escape the pass's other steps run.
  while (accumulator >= kStepLength) {
    Update(currentTime);
    simulatedTime += kStepLength;
    accumulator -= kStepLength;
    ++steps;
  }
  return steps;
}

void EmberHollow::PumpMessages() {
  window.PumpMessages();
  if (window.CloseRequested()) running = 0;
}

// The tiles go in as one grid: the sprites of every cell with an image, column
// by column, as the renderer would get them one by one, without making a
// sprite for each of a big map's million cells.
void EmberHollow::BuildScene() {
  renderer.AddTileGrid(world.GetWidth(), world.GetHeight(),
                       [this](int32_t x, int32_t y) { return world.GetTileImageFile(x, y); });
  npcSprites.assign(world.GetNPCCount(), RkDirect3D::NpcSprite{});
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    const RkNPC& npc = world.GetNPC(i);
    renderer.AddSprite(npc.GetImageFile(), npc.GetX() * kTileSize, npc.GetY() * kTileSize, 0, 1);
  }
  renderer.AddSprite(playerImage.c_str(), width * 0.5f, height * 0.5f, 1, 0);
}

void EmberHollow::Update(double now) {
  input.Reacquire();
  input.ReadState();
  renderer.StepWalk();
  if (mode == kWalkingMode) {
    Walk(now);
  } else if (mode == kTalkingMode) {
    Converse();
  }
  std::memcpy(previousKeys, input.KeyboardState(), sizeof previousKeys);
}

void EmberHollow::Walk(double now) {
  const RkDirection command = PickCommand();
  MoveNPCs(now);
  if (areaChangePending == 1 && !renderer.IsWalking()) ChangeArea();
  if (renderer.IsWalking()) return;
  if (command != DirectionNone) {
    facing = command;
    WalkPlayer(command);
  }
  // A walk just started, or Escape seen: no conversation in this step.
  if (!renderer.IsWalking() && running != 0 && IsConfirmPressed()) TalkToFacedNPC();
}

bool EmberHollow::IsKeyDown(int keyCode) const {
  return (input.KeyboardState()[keyCode] & RK_KEY_DOWN) != 0;
}

bool EmberHollow::IsKeyPressed(int keyCode) const {
  return IsKeyDown(keyCode) && (previousKeys[keyCode] & RK_KEY_DOWN) == 0;
}

bool EmberHollow::IsConfirmPressed() const { return IsKeyPressed(DIK_SPACE) || IsKeyPressed(DIK_RETURN); }

RkDirection EmberHollow::PickCommand() {
  if (escapeHeldFromConversation && !IsKeyDown(DIK_ESCAPE)) escapeHeldFromConversation = false;
  if (IsKeyDown(DIK_ESCAPE) && !escapeHeldFromConversation) {
    running = 0;
    return DirectionNone;
  }
  for (const KeyCommand& key : kArrowCommands) {
    if (IsKeyDown(key.keyCode)) return key.direction;
  }
  return DirectionNone;
}

void EmberHollow::MoveNPCs(double now) {
  if (npcSprites.size() != world.GetNPCCount()) npcSprites.assign(world.GetNPCCount(), RkDirect3D::NpcSprite{});
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    RkNPC& npc = world.GetNPC(i);
    const int oldX = npc.GetX();
    const int oldY = npc.GetY();
    npc.Wander(now);
    // Putting back an NPC that did not move changes nothing, and not reading
    // its cell spares a big map's grid a cache miss per NPC and step.
    const bool moved = npc.GetX() != oldX || npc.GetY() != oldY;
    if (moved && !MayStandOn(npc.GetX(), npc.GetY())) npc.SetPosition(oldX, oldY);
    // The NPC's sprites at its old cell are erased and its sprite appended at
    // its cell now; nothing is drawn between the two, so the renderer does both
    // at once and keeps the sprite of an NPC that stayed put, found through
    // the handle the NPC keeps.
    renderer.MoveNpcSprite(oldX * kTileSize, oldY * kTileSize, npc.GetImageFile(), npc.GetX() * kTileSize,
                           npc.GetY() * kTileSize, npcSprites[i]);
  }
}

// A wandering NPC keeps to Open ground (the grid's edge included) and off the player's cell.
bool EmberHollow::MayStandOn(int x, int y) const {
  const bool onPlayer = x == player.GetX() && y == player.GetY();
  return world.GetTileTypeToward(x, y, DirectionNone) == TileOpen && !onPlayer;
}

void EmberHollow::ChangeArea() {
  const int x = player.GetX();
  const int y = player.GetY();
  char mapName[kNewAreaNameCapacity];
  std::strncpy(mapName, world.GetTileNewAreaName(x, y), sizeof mapName - 1);
  mapName[sizeof mapName - 1] = '\0';
  const int startX = world.GetTileNewAreaStartX(x, y);
  const int startY = world.GetTileNewAreaStartY(x, y);
  const std::string mapFile = StandInFor(FindMapFile(mapName));
  world.Clear();
  world.Load(mapFile.c_str());
  player.SetPosition(startX, startY);
  areaChangePending = 0;
  renderer.ClearSprites();
  BuildScene();
}

// The map file that a New Area cell names, found as Windows would find it. A
// name that matches no file ends the game with the world's open report, the
// name on the line after the message as the cell holds it. An empty name goes
// to the loader as it is, whose open report it ends in.
std::string EmberHollow::FindMapFile(const char* mapName) {
  std::string mapFile;
  if (std::optional<RkFailure> missing = TryFindMapFile(mapName, mapFile)) missing->Report();
  return mapFile;
}

// FindMapFile's search, with the report it would end in given back instead.
std::optional<RkFailure> EmberHollow::TryFindMapFile(const char* mapName, std::string& mapFile) {
  if (RkPathResolver::Instance().Find(mapName, mapFile)) return std::nullopt;
  mapFile = mapName;
  if (*mapName == '\0') return std::nullopt;
  const std::string message = std::string("Failed to open the world file.\n") + mapName;
  return RkFailure::FromError(message.c_str(), ENOENT, kWorldSourceName, kWorldOpenFailureLine);
}

// The same file, however it is named: the one on the same device with the same
// inode. A file that can't be examined is never the edited map.
std::string EmberHollow::StandInFor(const std::string& mapFile) const {
  if (playtestMapFile.empty() || firstMapFile.empty()) return mapFile;
  struct stat wanted {};
  struct stat edited {};
  if (::stat(mapFile.c_str(), &wanted) != 0 || ::stat(playtestMapFile.c_str(), &edited) != 0) return mapFile;
  const bool same = wanted.st_dev == edited.st_dev && wanted.st_ino == edited.st_ino;
  return same ? firstMapFile : mapFile;
}

void EmberHollow::WalkPlayer(RkDirection command) {
  const int ahead = world.GetTileTypeToward(player.GetX(), player.GetY(), command);
  if (ahead == TileOpen) {
    if (!world.IsNPCToward(player.GetX(), player.GetY(), command)) StartPlayerWalk(command);
  } else if (ahead == TileNewArea) {
    areaChangePending = 1;
    StartPlayerWalk(command);
  }
}

void EmberHollow::StartPlayerWalk(RkDirection command) {
  player.Move(command);
  renderer.StartWalk(command);
}

// The first NPC on the faced cell with something to say: its own dialogues,
// or, without any, those of its namesake in the library.
void EmberHollow::TalkToFacedNPC() {
  if (!world.IsNPCToward(player.GetX(), player.GetY(), facing)) return;
  RkEntity faced = player;
  faced.Move(facing);
  const RkConversation::Layout layout = ConversationBox::LayoutFor(renderer);
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    const RkNPC& npc = world.GetNPC(i);
    if (npc.GetX() != faced.GetX() || npc.GetY() != faced.GetY()) continue;
    const bool begun = npc.GetDialogueCount() > 0 ? conversation.Begin(npc, layout)
                                                   : conversation.Begin(npcLibrary.FindNPC(npc.GetName()), layout);
    if (begun) {
      mode = kTalkingMode;
      ConversationBox::Show(conversation, renderer);
      return;
    }
  }
}

// Keys act once per press here: a held Space does not run through the
// conversation, and the press that opened it does not also advance it.
void EmberHollow::Converse() {
  if (IsKeyPressed(DIK_ESCAPE)) {
    escapeHeldFromConversation = true;
    conversation.End();
  } else {
    if (IsKeyPressed(DIK_UP)) {
      conversation.SelectPrevious();
    } else if (IsKeyPressed(DIK_DOWN)) {
      conversation.SelectNext();
    }
    if (IsConfirmPressed()) conversation.Confirm();
  }
  if (conversation.IsActive()) {
    ConversationBox::Show(conversation, renderer);
  } else {
    EndConversation();
  }
}

void EmberHollow::EndConversation() {
  conversation.End();
  ConversationBox::Hide(renderer);
  mode = kWalkingMode;
}
