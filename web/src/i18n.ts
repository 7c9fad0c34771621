// The page's words in English and Swedish. Where the desktop game says the same thing, the
// Swedish is the desktop's, so both read alike.

export type Lang = 'en' | 'sv';

const en = {
  tagline: 'Minigolf for one or more players.',
  play: 'Play',
  localGame: 'Local game',
  levels: 'Levels',
  yourName: 'Your name',
  defaultName: 'Player',
  computerName: 'Computer',
  opponentName: 'Robin',
  playHint: 'You against the computer on a short course.',
  startGame: 'Start game',
  playAgain: 'Play again',
  back: 'Back',
  leaveGame: 'Leave game',
  players: 'Players',
  holes: 'Holes',
  person: 'Person',
  easy: 'Computer, easy',
  medium: 'Computer, medium',
  hard: 'Computer, hard',
  addPlayer: 'Add player',
  removePlayer: 'Remove %1',
  playerName: 'Name of player %1',
  playerKind: 'Player %1 plays as',
  quickRound: 'Quick round (%1 holes)',
  courseHoles: '%1 (%2 holes)',
  allLevels: 'All levels (%1 holes)',
  name: 'Name',
  par: 'Par',
  total: 'Total',
  parUnknown: 'not yet known',
  creator: 'Creator',
  holeOf: 'Hole %1 of %2: %3',
  turn: "%1's turn",
  thinking: '%1 is thinking...',
  gameOver: 'Game over',
  wins: '%1 wins!',
  shareWin: '%1 and %2 share the win!',
  wellPlayed: 'Well played, %1!',
  finalStandings1: 'Final standings after %1 hole',
  finalStandingsN: 'Final standings after %1 holes',
  strokes: 'Strokes',
  player: 'Player',
  you: '(you)',
  computerSuffix: '%1 (computer)',
  loading: 'Loading...',
  loadFailed: 'The game could not be loaded: %1',
  language: 'Svenska',
  languageName: 'På svenska',
  howToMouse: 'Point behind the ball to aim, hold the button to build up force, release to putt.',
  howToTouch: 'Drag back from the ball to aim and set the force, let go to putt.',
  howToKeys: 'Keys: ← → aim (Shift: finer), hold Space to putt, Esc cancels.',
  field: 'Playfield',
  scoreBoard: 'Score board',
  mute: 'Sound off',
  unmute: 'Sound on',
  // Banners, by BannerKind's value.
  holeInOne: 'Hole in one!',
  underPar: '%1 under par!',
  albatross: 'Albatross!',
  eagle: 'Eagle!',
  birdie: 'Birdie!',
  parBanner: 'Par',
  bogey: 'Bogey',
  doubleBogey: 'Double bogey',
  holedOut1: 'In the hole in %1 stroke',
  holedOutN: 'In the hole in %1 strokes',
  water: 'Water: back to the start',
  outOfBounds: 'Out of bounds',
  strokeLimit: 'Stroke limit reached: scored %1',
};

export type Texts = typeof en;

const sv: Texts = {
  tagline: 'Minigolf för en eller flera spelare.',
  play: 'Spela',
  localGame: 'Lokalt spel',
  levels: 'Banor',
  yourName: 'Ditt namn',
  defaultName: 'Spelare',
  computerName: 'Dator',
  opponentName: 'Robin',
  playHint: 'Du mot datorn på en kort bansamling.',
  startGame: 'Starta spelet',
  playAgain: 'Spela igen',
  back: 'Tillbaka',
  leaveGame: 'Lämna spelet',
  players: 'Spelare',
  holes: 'Hål',
  person: 'Människa',
  easy: 'Dator, lätt',
  medium: 'Dator, medel',
  hard: 'Dator, svår',
  addPlayer: 'Lägg till spelare',
  removePlayer: 'Ta bort %1',
  playerName: 'Namn på spelare %1',
  playerKind: 'Spelare %1 spelas av',
  quickRound: 'Snabbrunda (%1 hål)',
  courseHoles: '%1 (%2 hål)',
  allLevels: 'Alla banor (%1 hål)',
  name: 'Namn',
  par: 'Par',
  total: 'Summa',
  parUnknown: 'inte känt än',
  creator: 'Skapare',
  holeOf: 'Hål %1 av %2: %3',
  turn: '%1 står på tur',
  thinking: '%1 tänker...',
  gameOver: 'Spelet är slut',
  wins: '%1 vinner!',
  shareWin: '%1 och %2 delar på segern!',
  wellPlayed: 'Bra spelat, %1!',
  finalStandings1: 'Slutställning efter %1 hål',
  finalStandingsN: 'Slutställning efter %1 hål',
  strokes: 'Slag',
  player: 'Spelare',
  you: '(du)',
  computerSuffix: '%1 (dator)',
  loading: 'Läser in...',
  loadFailed: 'Spelet kunde inte läsas in: %1',
  language: 'English',
  languageName: 'In English',
  howToMouse: 'Peka bakom bollen för att sikta, håll ned knappen för att öka kraften, släpp för att putta.',
  howToTouch: 'Dra bakåt från bollen för att sikta och välja kraft, släpp för att putta.',
  howToKeys: 'Tangenter: ← → siktar (Skift: finare), håll ned blanksteg för att putta, Esc avbryter.',
  field: 'Spelplan',
  scoreBoard: 'Resultattavla',
  mute: 'Ljud av',
  unmute: 'Ljud på',
  holeInOne: 'Hole in one!',
  underPar: '%1 under par!',
  albatross: 'Albatross!',
  eagle: 'Eagle!',
  birdie: 'Birdie!',
  parBanner: 'Par',
  bogey: 'Bogey',
  doubleBogey: 'Dubbelbogey',
  holedOut1: 'I hål på %1 slag',
  holedOutN: 'I hål på %1 slag',
  water: 'Vatten: tillbaka till start',
  outOfBounds: 'Utanför banan',
  strokeLimit: 'Slaggränsen nådd: %1 slag',
};

const all: Record<Lang, Texts> = { en, sv };

export function langFromNavigator(language: string | undefined): Lang {
  return language !== undefined && language.toLowerCase().startsWith('sv') ? 'sv' : 'en';
}

export function texts(lang: Lang): Texts {
  return all[lang];
}

/** Fills %1, %2, ... with the arguments. */
export function fill(text: string, ...args: (string | number)[]): string {
  return text.replace(/%(\d)/g, (whole, digit: string) => {
    const value = args[Number(digit) - 1];
    return value === undefined ? whole : String(value);
  });
}

/** The banner's title for "banner KIND COUNT". */
export function bannerTitle(t: Texts, kind: number, count: number): string {
  switch (kind) {
    case 0: return t.holeInOne;
    case 1: return fill(t.underPar, count);
    case 2: return t.albatross;
    case 3: return t.eagle;
    case 4: return t.birdie;
    case 5: return t.parBanner;
    case 6: return t.bogey;
    case 7: return t.doubleBogey;
    case 8: return `+${count}`;
    case 9: return fill(count === 1 ? t.holedOut1 : t.holedOutN, count);
    case 10: return t.water;
    case 11: return t.outOfBounds;
    case 12: return fill(t.strokeLimit, count);
    default: return '';
  }
}
