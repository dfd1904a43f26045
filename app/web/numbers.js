// How the browser's first language writes numbers, as the module reads and
// writes them: French conventions where the browser names none.

const FALLBACK = 'fr-FR';

function part(locale, options, value, type) {
  return new Intl.NumberFormat(locale, options)
      .formatToParts(value)
      .find((piece) => piece.type === type)
      ?.value;
}

export function numberSymbols(languages) {
  let locale = FALLBACK;
  try {
    locale = new Intl.NumberFormat(languages?.[0] || FALLBACK).resolvedOptions().locale;
  } catch {
    // a tag Intl does not take: French, as where none is given
  }
  return {
    decimal: part(locale, {}, 1.5, 'decimal') ?? ',',
    minus: part(locale, {}, -1, 'minusSign') ?? '-',
    plus: part(locale, {signDisplay: 'always'}, 1, 'plusSign') ?? '+',
    exponent: part(locale, {notation: 'scientific'}, 1, 'exponentSeparator') ?? 'E',
    zero: part(locale, {useGrouping: false}, 0, 'integer') ?? '0',
  };
}
