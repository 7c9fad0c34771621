// The score board: a table of every player's strokes on each hole, the par row, totals, and
// the player who has the turn marked. It scrolls sideways by itself to the hole being played.
import type { BoardData } from './api';
import { fill, type Texts } from './i18n';
import { cssColour } from './render/ball';

function cell(tag: 'td' | 'th', text: string, className = ''): HTMLTableCellElement {
  const c = document.createElement(tag);
  c.textContent = text;
  if (className) c.className = className;
  return c;
}

export function renderBoard(host: HTMLElement, board: BoardData, t: Texts): void {
  const table = document.createElement('table');
  table.className = 'board-table';
  const caption = document.createElement('caption');
  caption.className = 'visually-hidden';
  caption.textContent = t.scoreBoard;
  table.append(caption);
  const head = table.createTHead().insertRow();
  const nameHead = cell('th', t.name, 'name');
  nameHead.scope = 'col';
  head.append(nameHead);
  board.holes.forEach((hole, i) => {
    const th = cell('th', String(i + 1), i === board.hole ? 'hole current-hole' : 'hole');
    th.scope = 'col';
    th.title = hole.name;
    head.append(th);
  });
  const totalHead = cell('th', t.total, 'total');
  totalHead.scope = 'col';
  head.append(totalHead);

  const body = table.createTBody();
  const parRow = body.insertRow();
  parRow.className = 'par-row';
  const parHead = cell('th', t.par, 'name');
  parHead.scope = 'row';
  parRow.append(parHead);
  board.holes.forEach((hole, i) => parRow.append(cell('td', hole.par > 0 ? String(hole.par) : '', i === board.hole ? 'current-hole' : '')));
  const knownPars = board.holes.every((h) => h.par > 0);
  parRow.append(cell('td', knownPars ? String(board.holes.reduce((s, h) => s + h.par, 0)) : '', 'total'));

  board.players.forEach((player, p) => {
    const row = body.insertRow();
    const current = p === board.turn;
    if (current) {
      row.className = 'current-player';
      row.setAttribute('aria-current', 'true');
    }
    const th = document.createElement('th');
    th.scope = 'row';
    th.className = 'name';
    const marker = document.createElement('span');
    marker.className = 'turn-marker';
    marker.setAttribute('aria-hidden', 'true');
    marker.textContent = current ? '▶' : '';
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = cssColour(player.colour);
    swatch.setAttribute('aria-hidden', 'true');
    const name = document.createElement('span');
    name.className = 'player-name';
    name.textContent = player.kind === 'computer' ? fill(t.computerSuffix, player.name) : player.name;
    name.title = name.textContent;
    th.append(marker, swatch, name);
    row.append(th);
    board.holes.forEach((_, i) => {
      const strokes = player.strokes[i] ?? 0;
      row.append(cell('td', strokes > 0 ? String(strokes) : '', i === board.hole ? 'current-hole' : ''));
    });
    row.append(cell('td', String(player.total), 'total'));
  });
  host.replaceChildren(table);
  // A board wider than its room scrolls to show the hole being played beside the names.
  const currentHole = table.querySelector<HTMLElement>('th.current-hole');
  const names = table.querySelector<HTMLElement>('thead th.name');
  if (currentHole && names && host.scrollWidth > host.clientWidth) {
    const hidden = currentHole.offsetLeft + currentHole.offsetWidth > host.scrollLeft + host.clientWidth ||
      currentHole.offsetLeft < host.scrollLeft + names.offsetWidth;
    if (hidden) host.scrollLeft = Math.max(0, currentHole.offsetLeft - names.offsetWidth - currentHole.offsetWidth);
  }
}
