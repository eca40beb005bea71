#include "testkit/log_samples.hpp"

namespace LogSamples {
const std::string clean =
    "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (11/11/2024 10:23:24 PM)\n"
    "[Info   :   BepInEx] Running under Unity v2022.3.17.22939917\n"
    "[Info   :   BepInEx] CLR runtime version: 4.0.30319.42000\n"
    "[Message:   BepInEx] User is running BepInExPack Valheim version 5.4.2202 from Thunderstore\n"
    "[Message:   BepInEx] Preloader started\n"
    "[Info   :   BepInEx] Loaded 1 patcher method from [BepInEx.Preloader 5.4.22.0]\n"
    "[Message:   BepInEx] Preloader finished\n"
    "[Message:   BepInEx] Chainloader ready\n"
    "[Message:   BepInEx] Chainloader started\n"
    "[Info   :   BepInEx] 4 plugins to load\n"
    "[Info   :   BepInEx] Loading [Configuration Manager 16.3]\n"
    "[Info   :   BepInEx] Loading [Jotunn 2.20.1]\n"
    "[Info   :Jotunn] Version 2.20.1 initialising\n"
    "[Info   :   BepInEx] Loading [Farm Grid 1.2.0]\n"
    "[Info   :   BepInEx] Loading [PlanBuild 0.15.2.4]\n"
    "[Message:   BepInEx] Chainloader startup complete\n"
    "[Info   : Unity Log] 11/11/2024 22:23:40: Valheim version: l-0.219.16 (network version 33)\n"
    "[Warning: Unity Log] The referenced script (Unknown) on this Behaviour is missing!\n";

const std::string troubled =
    "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (12.11.2024 08:01:02)\n"
    "[Message:   BepInEx] Chainloader ready\n"
    "[Message:   BepInEx] Chainloader started\n"
    "[Info   :   BepInEx] 9 plugins to load\n"
    "[Warning:   BepInEx] Plugin [SleepPlease 1.0.8] targets a wrong version of BepInEx (5.4.20.0) and might "
    "not "
    "work until you update\n"
    "[Warning:   BepInEx] Skipping [Jotunn 2.6.0] because a newer version exists (Jotunn 2.20.1)\n"
    "[Error  :   BepInEx] Could not load [CropReplantCompat 1.0.0] because it has missing dependencies: "
    "com.example.cropreplant, org.bepinex.plugins.farming (v1.2.0 or newer), com.nobody.ghost\n"
    "[Error  :   BepInEx] Could not load [Old Portals 0.9] because it is incompatible with: "
    "com.example.portals\n"
    "[Warning:   BepInEx] Skipping [Portal Extras 1.1.0] because it has a dependency that was not loaded. "
    "See "
    "previous errors for details.\n"
    "[Info   :   BepInEx] Loading [SleepPlease 1.0.8]\n"
    "[Info   :   BepInEx] Loading [Jotunn 2.20.1]\n"
    "[Info   :   BepInEx] Loading [Broken [Beta] 🔥 Mod 0.1.0]\n"
    "[Error  :   BepInEx] Error loading [Broken [Beta] 🔥 Mod 0.1.0] : Exception has been thrown by the "
    "target "
    "of an invocation.\n"
    "System.Reflection.TargetInvocationException: Exception has been thrown by the target of an invocation.\n"
    "  at BrokenBeta.Plugin.Awake () [0x00012] in <a1b2c3>:0 \n"
    "[Info   :   BepInEx] Loading [Farm Grid 1.2.0]\n"
    "[Warning:  HarmonyX] AccessTools.DeclaredMethod: Could not find method for type Player and name "
    "UpdatePlacementGhost\n"
    "### Started from FarmGrid.Plugin.Awake, location C:\\Games\\Valheim\\BepInEx\\plugins\\FarmGrid.dll\n"
    "[Info   :   BepInEx] Loading [RRRBetterRaids 1.0.4]\n"
    "[Message:   BepInEx] Chainloader startup complete\n"
    "[Error  : Unity Log] NullReferenceException: Object reference not set to an instance of an object\n"
    "Stack trace:\n"
    "ConfigurationManager.Patches.SetupMenuButton () (at <4bd5ef7e0fe44d5c8a8d6bd09b5f8e45>:0)\n"
    "(wrapper dynamic-method) Menu.DMD<Menu::Start>(Menu)\n"
    "\n"
    "[Info   : Unity Log] Player spawned\n"
    "[Error  : Unity Log] NullReferenceException: Object reference not set to an instance of an object\n"
    "Stack trace:\n"
    "ConfigurationManager.Patches.SetupMenuButton () (at <4bd5ef7e0fe44d5c8a8d6bd09b5f8e45>:0)\n"
    "(wrapper dynamic-method) Menu.DMD<Menu::Start>(Menu)\n"
    "\n"
    "[Error  :Jotunn.Managers.GUIManager] Could not create the key hint: NullReferenceException\n"
    "  at Jotunn.Managers.GUIManager.CreateKeyHintObject (UnityEngine.GameObject baseKeyHint) [0x000c0] in "
    "<…>:0\n"
    "[Error  : Unity Log] NullReferenceException: Object reference not set to an instance of an object\n"
    "Stack trace:\n"
    "ConfigurationManager.Patches.SetupMenuButton () (at <4bd5ef7e0fe44d5c8a8d6bd09b5f8e45>:0)\n"
    "(wrapper dynamic-method) Menu.DMD<Menu::Start>(Menu)\n"
    "[Error  : Unity Log] MissingMethodException: bool RRRCore.Util.IsEmpty(string)\n"
    "Stack trace:\n"
    "UnityEngine.Debug:LogException(Exception)\n"
    "RRRBetterRaids.RaidPatches.Prefix () (at <e1f2>:0)\n"
    "(wrapper dynamic-method) RandEventSystem.DMD<RandEventSystem::StartRandomEvent>(RandEventSystem)\n"
    "RandEventSystem.FixedUpdate () (at <e1f2>:0)\n"
    "[Error  : Unity Log] HarmonyException: Patching exception in method static void "
    "SleepPlease.Patches.BedPatch::Postfix()\n"
    "Stack trace:\n"
    "HarmonyLib.PatchClassProcessor.ReportException (System.Exception exception, "
    "System.Reflection.MethodBase "
    "original) (at <474744d65d8e460fa08cd5fd82b5d65f>:0)\n"
    "Rethrow as HarmonyException: Patching exception in method null\n"
    "[Fatal  :  SleepPlease] Could not find the bed prefab\n";

const std::string server =
    "[Message:   BepInEx] BepInEx 5.4.21.0 - valheim_server (2024-11-11 22:23:24)\n"
    "[Message:   BepInEx] Chainloader ready\n"
    "[Message:   BepInEx] Chainloader started\n"
    "[Info   :   BepInEx] 2 plugins to load\n"
    "[Warning:   BepInEx] Skipping [Crop Utils 1.5.1] because of process filters (valheim.exe)\n"
    "[Info   :   BepInEx] Loading [Jotunn 2.20.1]\n"
    "[Message:   BepInEx] Chainloader startup complete\n";

std::string repeatedExceptions(size_t bytes, size_t exceptions) {
  std::string log = clean;
  log.reserve(bytes + 4096);
  const std::string note = "[Info   : Unity Log] 11/11/2024 22:24:01: Section 12,-3 loaded, 480 zdos\n";
  const std::string stack =
      "Stack trace:\n"
      "ConfigurationManager.Patches.SetupMenuButton () (at <4bd5ef7e0fe44d5c8a8d6bd09b5f8e45>:0)\n"
      "(wrapper dynamic-method) Menu.DMD<Menu::Start>(Menu)\n"
      "UnityEngine.EventSystems.ExecuteEvents.Execute (UnityEngine.EventSystems.IPointerClickHandler "
      "handler, "
      "UnityEngine.EventSystems.BaseEventData eventData) (at <3b9f0ab6ef7e4e9ea1f6ad4bd1d6e2b4>:0)\n"
      "Player.Update () (at <e1f2>:0)\n"
      "\n";
  for (size_t i = 0; i < exceptions; ++i) {
    // The notes between the exceptions make up the size.
    const size_t target = clean.size() + (bytes - clean.size()) * (i + 1) / exceptions;
    while (log.size() + note.size() + stack.size() + 100 < target) log += note;
    log += i % 1000 == 999 ? "[Error  : Unity Log] InvalidOperationException: Collection was modified\n"
                           : "[Error  : Unity Log] NullReferenceException: Object reference not set to an "
                             "instance of an object\n";
    log += stack;
  }
  return log;
}
}  // namespace LogSamples
