#pragma once

namespace trundlex {

// The editor's commands, with the numbers its menus, tool bar and shortcuts use.
enum class EditorCommand : int {
    // File
    New = 57600,
    Open = 57601,
    Save = 57603,
    SaveAs = 57604,
    RecentFirst = 57616,  // 57616 ... 57619: the recent files, newest first
    PlayInGame = 32834,
    AddToCourse = 32835,
    Exit = 57665,
    // Edit
    Undo = 57643,
    Redo = 57644,
    Properties = 32773,
    ShowGrid = 32771,
    MakeFit = 32772,
    ResetFrontRotation = 32777,
    ResetBackRotation = 32778,
    ResetBothRotations = 32779,
    SwapMaterials = 32780,
    RotateBlock = 32781,
    RotateLevel = 32782,
    RandomLevel = 32783,
    RotateFrontMaterial = 32801,
    RotateBackMaterial = 32802,
    FlipHorizontal = 32815,
    FlipVertical = 32816,
    ZoomIn = 32830,
    ZoomOut = 32831,
    ZoomFit = 32832,
    CheckLevel = 32833,
    ShiftLeft = 32836,
    ShiftRight = 32837,
    ShiftUp = 32838,
    ShiftDown = 32839,
    Cut = 32841,
    Copy = 32842,
    Paste = 32843,
    DeleteRegion = 32844,
    SelectAll = 32845,
    TurnRegionClockwise = 32846,
    TurnRegionCounterClockwise = 32847,
    MirrorRegionLeftRight = 32848,
    MirrorRegionTopBottom = 32849,
    ReplaceMaterial = 32850,
    ModernLook = 32851,
    // Tools
    ToolLine = 32784,
    ToolFill = 32797,
    ToolPlot = 32798,
    ToolRectangle = 32799,
    ToolFrame = 32800,
    ToolSetBall = 32803,
    ToolSelect = 32840,
    // Ball
    TestMode = 32775,
    SpeedFirst = 32807,  // 32807 ... 32814: speed modes -2 ... 5
    SpeedLast = 32814,
    PlaySound = 32818,
    Stop = 32820,
    // View and help
    ToolBar = 59392,
    StatusBar = 59393,
    HelpIndex = 57666,
    About = 57664,
};

}  // namespace trundlex
