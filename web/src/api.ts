// The module's types (src/web/trundlex-page.d.ts, copied beside the module by its build) and
// the values of its view states, which a type-only import cannot carry.
export type {
  BoardData, CourseData, DailyCourseData, DailyDraw, LevelData, LobbyData, LocalGame, OnlineGame, Strength, TrundlexModule, TrundlexOptions,
} from '../../src/web/trundlex-page';

export const ViewState = {
  NoGame: 0,
  Aiming: 2,
  WaitingForRemote: 3,
  Charging: 4,
  Rolling: 5,
  ReplayWaiting: 6,
  ReplayRolling: 7,
  GameOver: 8,
  ComputerThinking: 9,
} as const;

/** The module's API version this page is written for (DailyDraw came with 4). */
export const API_VERSION = 4;
