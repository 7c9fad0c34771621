// The page's words in English and Swedish. The English is written in texts.js (lupdate reads
// it into the game's catalogue); the Swedish comes from that catalogue, where a text the
// desktop game also shows has the desktop's words, so both read alike.
import swedish from 'virtual:trundlex-sv';
import './texts.js';

export type Lang = 'en' | 'sv';

// The language button names the other language in that language's own words: no
// translation, so not in the catalogue.
const en = { ...pageTexts, language: 'Svenska', languageName: 'På svenska' };

export type Texts = typeof en;

// A text the catalogue lacks stays English (the game's translation test fails on it first).
const sv: Texts = {
  ...(Object.fromEntries(
    Object.entries(pageTexts).map(([key, english]) => [key, swedish[english] ?? english]),
  ) as typeof pageTexts),
  language: 'English',
  languageName: 'In English',
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
