// Small helpers the page's screens share: making elements and buttons, and the status line
// that screen readers hear.

export function el<K extends keyof HTMLElementTagNameMap>(tag: K, props: Partial<HTMLElementTagNameMap[K]> = {},
  ...children: (Node | string)[]): HTMLElementTagNameMap[K] {
  const e = document.createElement(tag);
  Object.assign(e, props);
  e.append(...children);
  return e;
}

export function button(text: string, onClick: () => void, className = ''): HTMLButtonElement {
  const b = el('button', { type: 'button', textContent: text, className });
  b.addEventListener('click', onClick);
  return b;
}

/** Says `text` in the status line (aria-live). */
export function say(text: string): void {
  document.getElementById('status')!.textContent = text;
}

/** An icon drawn from one SVG path in a 24 x 24 box, in the text's colour. */
export function icon(d: string, size = 22): SVGSVGElement {
  const ns = 'http://www.w3.org/2000/svg';
  const svg = document.createElementNS(ns, 'svg');
  svg.setAttribute('viewBox', '0 0 24 24');
  svg.setAttribute('width', String(size));
  svg.setAttribute('height', String(size));
  svg.setAttribute('aria-hidden', 'true');
  const path = document.createElementNS(ns, 'path');
  path.setAttribute('d', d);
  path.setAttribute('fill', 'none');
  path.setAttribute('stroke', 'currentColor');
  path.setAttribute('stroke-width', '2');
  path.setAttribute('stroke-linecap', 'round');
  path.setAttribute('stroke-linejoin', 'round');
  svg.append(path);
  return svg;
}

export const ICONS = {
  chat: 'M4 5h16v11H9l-5 4z',
  copy: 'M9 9h11v11H9z M5 15H4V4h11v1',
  share: 'M12 3v12 M7 8l5-5 5 5 M5 13v7h14v-7',
  close: 'M6 6l12 12 M18 6L6 18',
};

/** Where the player's name is remembered between visits. */
export const NAME_KEY = 'trundlex.name';
