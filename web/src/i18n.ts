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
  // Playing with friends in a room of the host the page came from.
  playWithFriends: 'Play with friends',
  friendsHint: 'Create a room and send the link, or join a friend with their code.',
  createRoom: 'Create room',
  createHint: 'You pick the course and start the game.',
  course: 'Course',
  join: 'Join',
  joinHint: 'Got a code or a link from a friend?',
  roomCode: 'Room code',
  or: 'or',
  joinRoomOf: 'Join room %1',
  joinLinkHint: 'A friend invited you to a game of minigolf.',
  notACode: 'A room code has six letters and digits.',
  badName: 'This name cannot be used online: choose a shorter one, without "|".',
  room: 'Room',
  roomCodeIs: 'Room code %1',
  inviteLink: 'Invite link',
  copyLink: 'Copy link',
  copied: 'Copied!',
  copyFailed: 'Copy the link by hand.',
  share: 'Share',
  shareText: 'Play minigolf with me in Trundlex: room %1',
  inviteHint: 'Send the link to your friends: it opens this room.',
  createdRoom: 'created the room',
  here: 'here',
  computerTag: 'computer',
  removeFromRoom: 'Remove %1 from the room',
  addComputer: 'Add computer player',
  strength: 'Strength',
  waitingForCreator: "Waiting for the room's creator to start the game.",
  pressStart: 'Press Start game when your friends have joined.',
  leaveRoom: 'Leave room',
  chat: 'Chat',
  chatMessage: 'Message',
  chatPlaceholder: 'Write your message here...',
  send: 'Send',
  chatEmpty: 'No messages yet.',
  chatTooLong: 'That message is too long.',
  chatBadCharacter: 'That message has a character that cannot be sent.',
  newMessages: '%1 new',
  reconnect: 'Reconnect',
  rejoinOffer: 'You were playing in room %1.',
  connecting: 'Connecting...',
  askingRoom: 'Asking for the room...',
  connectionLost: 'The connection to the room host was lost.',
  offline: 'You are offline. Playing with friends needs the network; Play, Local game and Levels work without it.',
  // The lobby's status lines (LobbyData.status).
  connectionOpen: 'Connection open!',
  couldntConnect: "Couldn't connect.",
  transferLevels: 'Transferring levels... (%1)',
  waitingForStart: 'Waiting for the start message.',
  disconnected: '%1 disconnected.',
  interrupted: 'The connection to the server was interrupted.',
  otherVersion: 'Incompatible server version (server: %1, this version: %2).',
  notARoomHost: 'This host does not offer rooms.',
  refusedNoSuchRoom: 'There is no room with the code %1.',
  refusedStarted: 'The game in room %1 has already started.',
  refusedFull: 'Room %1 is full.',
  refusedNoSuchCourse: 'The host has no course named %1.',
  refusedNoFreeRoom: 'The host has no free room; try again later.',
  refusedTooManyAttempts: 'Too many attempts; try again later.',
  refusedTooManyRooms: 'You have opened too many rooms on this host; try again later.',
  refusedTooManyConnections: 'Too many connections from your network to this host.',
  refusedRemoved: "The room's creator removed you from the room.",
  refusedNoSeat: 'Your place in room %1 is no longer kept.',
  refusedOther: 'The host said no: %1',
  refusedCodeNeeded: 'This host needs a room code.',
  hostStopped: 'The room host has stopped; the game ends here.',
  // Notes during an online game.
  leftNote: '%1 left the game; the computer plays for them.',
  computerNote: 'This computer plays for %1 from now on.',
  returnedNote: '%1 is back.',
  endedNote: 'The online game has ended.',
  endedEarly: 'The game ended before the last hole.',
  standingsSoFar: 'Standings so far',
  startedNote: 'The game begins!',
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
  playWithFriends: 'Spela med vänner',
  friendsHint: 'Skapa ett rum och skicka länken, eller gå med hos en vän med rumskoden.',
  createRoom: 'Skapa rum',
  createHint: 'Du väljer bansamling och startar spelet.',
  course: 'Bansamling',
  join: 'Gå med',
  joinHint: 'Har du fått en rumskod eller en länk av en vän?',
  roomCode: 'Rumskod',
  or: 'eller',
  joinRoomOf: 'Gå med i rum %1',
  joinLinkHint: 'En vän har bjudit in dig till en runda minigolf.',
  notACode: 'En rumskod har sex bokstäver och siffror.',
  badName: 'Det här namnet kan inte användas online: välj ett kortare, utan ”|”.',
  room: 'Rum',
  roomCodeIs: 'Rumskod %1',
  inviteLink: 'Inbjudningslänk',
  copyLink: 'Kopiera länken',
  copied: 'Kopierad!',
  copyFailed: 'Kopiera länken för hand.',
  share: 'Dela',
  shareText: 'Spela minigolf med mig i Trundlex: rum %1',
  inviteHint: 'Skicka länken till dina vänner: den öppnar det här rummet.',
  createdRoom: 'skapade rummet',
  here: 'här',
  computerTag: 'dator',
  removeFromRoom: 'Ta bort %1 ur rummet',
  addComputer: 'Lägg till datorspelare',
  strength: 'Styrka',
  waitingForCreator: 'Väntar på att den som skapade rummet ska starta spelet.',
  pressStart: 'Tryck på Starta spelet när dina vänner har kommit in.',
  leaveRoom: 'Lämna rummet',
  chat: 'Chatt',
  chatMessage: 'Meddelande',
  chatPlaceholder: 'Skriv ditt meddelande här...',
  send: 'Skicka',
  chatEmpty: 'Inga meddelanden än.',
  chatTooLong: 'Meddelandet är för långt.',
  chatBadCharacter: 'Meddelandet har ett tecken som inte kan skickas.',
  newMessages: '%1 nya',
  reconnect: 'Anslut igen',
  rejoinOffer: 'Du spelade i rum %1.',
  connecting: 'Ansluter...',
  askingRoom: 'Frågar efter rummet...',
  connectionLost: 'Anslutningen till rumsvärden bröts.',
  offline: 'Du är inte ansluten. Att spela med vänner kräver nätverket; Spela, Lokalt spel och Banor fungerar utan det.',
  connectionOpen: 'Anslutningen är öppen!',
  couldntConnect: 'Kunde inte ansluta.',
  transferLevels: 'Överför banor... (%1)',
  waitingForStart: 'Väntar på startmeddelandet.',
  disconnected: '%1 har kopplat från.',
  interrupted: 'Anslutningen till servern bröts.',
  otherVersion: 'Servern har en annan version (servern: %1, den här versionen: %2).',
  notARoomHost: 'Den här värden erbjuder inga rum.',
  refusedNoSuchRoom: 'Det finns inget rum med rumskoden %1.',
  refusedStarted: 'Spelet i rum %1 har redan börjat.',
  refusedFull: 'Rum %1 är fullt.',
  refusedNoSuchCourse: 'Värden har ingen bansamling som heter %1.',
  refusedNoFreeRoom: 'Värden har inget ledigt rum; försök igen senare.',
  refusedTooManyAttempts: 'För många försök; försök igen senare.',
  refusedTooManyRooms: 'Du har öppnat för många rum hos den här värden; försök igen senare.',
  refusedTooManyConnections: 'För många anslutningar från ditt nätverk till den här värden.',
  refusedRemoved: 'Den som skapade rummet tog bort dig ur rummet.',
  refusedNoSeat: 'Din plats i rum %1 finns inte längre kvar.',
  refusedOther: 'Värden sa nej: %1',
  refusedCodeNeeded: 'Den här värden behöver en rumskod.',
  hostStopped: 'Rumsvärden har stängts av; spelet slutar här.',
  leftNote: '%1 har lämnat spelet; datorn spelar för %1.',
  computerNote: 'Den här datorn spelar för %1 från och med nu.',
  returnedNote: '%1 är tillbaka.',
  endedNote: 'Onlinespelet är slut.',
  endedEarly: 'Spelet tog slut före sista hålet.',
  standingsSoFar: 'Ställning hittills',
  startedNote: 'Spelet börjar!',
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

/** The lobby's status line (LobbyData.status) in words; "" for none or a key not known here. */
export function lobbyStatus(t: Texts, s: { text: string; count?: number; names?: string; refusal?: string; subject?: string; reason?: string; host?: string; mine?: string }): string {
  switch (s.text) {
    case 'connectionOpen': return t.connectionOpen;
    case 'couldntConnect': return t.couldntConnect;
    case 'transferLevels': return fill(t.transferLevels, s.count ?? 0);
    case 'waitingForStart': return t.waitingForStart;
    case 'disconnected': return fill(t.disconnected, s.names ?? '');
    case 'interrupted': return t.interrupted;
    case 'otherVersion': return fill(t.otherVersion, s.host ?? '', s.mine ?? '');
    case 'notARoomHost': return t.notARoomHost;
    case 'refused': {
      const subject = s.subject ?? '';
      switch (s.refusal) {
        case 'noSuchRoom': return fill(t.refusedNoSuchRoom, subject);
        case 'started': return fill(t.refusedStarted, subject);
        case 'full': return fill(t.refusedFull, subject);
        case 'noSuchCourse': return fill(t.refusedNoSuchCourse, subject);
        case 'noFreeRoom': return t.refusedNoFreeRoom;
        case 'tooManyAttempts': return t.refusedTooManyAttempts;
        case 'tooManyRooms': return t.refusedTooManyRooms;
        case 'tooManyConnections': return t.refusedTooManyConnections;
        case 'removed': return t.refusedRemoved;
        case 'noSeat': return fill(t.refusedNoSeat, subject);
        case 'codeNeeded': return t.refusedCodeNeeded;
        default: return fill(t.refusedOther, s.reason ?? '');
      }
    }
    default: return '';
  }
}
