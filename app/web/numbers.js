// How the browser's first language writes numbers, as the module reads and
// writes them: French conventions where the browser names none. One number
// format gives them all: a locale's first format is costly on a slow phone.

const FALLBACK = 'fr-FR';
// -1,5E0 and +1E0 show every symbol the module needs.
const OPTIONS = {
  notation: 'scientific',
  signDisplay: 'always',
  useGrouping: false
};

function formatFor(languages) {
  try {
    return new Intl.NumberFormat(languages?.[0] || FALLBACK, OPTIONS);
  } catch {
    return new Intl.NumberFormat(FALLBACK, OPTIONS);  // a tag Intl does not take
  }
}

export function numberSymbols(languages) {
  const format = formatFor(languages);
  const parts = [...format.formatToParts(-1.5), ...format.formatToParts(1)];
  const part = (type) => parts.find((piece) => piece.type === type)?.value;
  return {
    decimal: part('decimal') ?? ',',
    minus: part('minusSign') ?? '-',
    plus: part('plusSign') ?? '+',
    exponent: part('exponentSeparator') ?? 'E',
    zero: part('exponentInteger') ?? '0',
  };
}
