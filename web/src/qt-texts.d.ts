// What web/src/texts.js calls: the name lupdate looks for. The page's build makes it hand back
// the English text (vite.config.ts); the Swedish is looked up afterwards (i18n.ts).
declare function qsTranslate(context: string, source: string): string;

// The Swedish of the page's texts, read from the game's catalogue when the page is built:
// English text to Swedish.
declare module 'virtual:trundlex-sv' {
  const swedish: Record<string, string>;
  export default swedish;
}
