// Every text of the page's own, by key, per language. The program's own texts (its prompts,
// its legend, its window's title) are not here: the page shows them as the program wrote
// them. {name} marks a value put in; a text with {link} holds an element there.

const srLatn = {
  // The header's buttons and what they say back.
  share: 'Podeli vezu',
  save: 'Sacuvaj sliku',
  fullscreen: 'Ceo ekran',
  restart: 'Pokreni ponovo',
  linkCopied: 'Veza je kopirana: ',
  copyLink: 'Kopirajte vezu: ',
  taskLinkCopied: 'Veza zadatka je kopirana: ',
  copyTaskLink: 'Kopirajte vezu zadatka: ',
  fromDisk: 'Veza ka datoteci na ovom racunaru radi samo na njemu. Kad stranicu postavite na veb, dodajte njenoj adresi ovaj nastavak: ',
  fromDiskCopied: 'Veza ka datoteci na ovom racunaru radi samo na njemu. Kad stranicu postavite na veb, dodajte njenoj adresi ovaj nastavak (kopiran je): ',
  // The console pane.
  console: 'Konzola',
  transcript: 'Ispis programa',
  answer: 'Odgovor',
  hint: 'Enter salje odgovor, Ctrl-D zavrsava unos.',
  noMoreInput: 'Program vise ne cita unos.',
  pictureBelow: 'Program vise ne cita unos; slika je ispod.',
  inputEnded: 'Unos je zavrsen.',
  commaNote: 'Decimalni separator je tacka, ne zarez (12.5, a ne 12,5). Program je procitao: {read}.',
  // The picture and its key.
  keyTitle: 'Kljuc slike',
  keyRed: 'crvena: pocetna kocka',
  keyBlue: 'plava: ',
  keyGreen: 'zelena: ',
  keyYellow: 'zuta: ',
  keyAxes: 'Ose: X desno, Y gore, Z ka vama.',
  keySign: 'Pozitivan ugao okrece suprotno kazaljci na satu, gledano sa pozitivnog kraja ose.',
  canvas: 'Slika: pocetna kocka i tri rotirane kocke',
  canvasNote: 'Koja je kocka koje boje, kaze kljuc uz sliku; koordinate temena i matrice koje je program izracunao su ' +
    'u tabelama {link} ispod slike. Dugme sa imenom temena u tabeli (V0 do V7) oznacava to teme na sve cetiri kocke.',
  labelsShown: 'Oznake temena',
  labelsWhich: 'na slici:',
  eachCube: 'sva temena jedne kocke',
  eachVertex: 'jedno teme na sve cetiri kocke',
  allFour: '(sve cetiri kocke)',
  programMark: 'program',
  predictedMark: 'vase predvidjanje',
  markVertex: 'Oznaci {vertex} na slici',
  // The cubes: as the key and the tables name them, and in the genitive (V7 zute kocke).
  cubeNames: ['crvena', 'plava', 'zelena', 'zuta'],
  cubes: ['crvena kocka', 'plava kocka', 'zelena kocka', 'zuta kocka'],
  ofCube: ['crvene kocke', 'plave kocke', 'zelene kocke', 'zute kocke'],
  // The check of a prediction.
  checkTitle: 'Predvidite, pa proverite',
  cube: 'kocka',
  vertex: 'teme',
  check: 'Proveri',
  makeTask: 'Napravi zadatak',
  toleranceNote: 'Predvidjanje je tacno kad se svaka koordinata od programove razlikuje najvise za {tolerance}: ' +
    'toliko je dovoljno da racun rukom, sa sinusima i kosinusima na dve decimale, bude tacan, a da svaka ' +
    'uobicajena greska bude prepoznata. Decimalni zarez ili tacka, oba vaze (2,5 ili 2.5).',
  typeNumber: 'Upisite broj u polje {axis} (na primer 2.5, 2,5 ili \u22122,5).',
  answerFirst: 'Prvo odgovorite na sva tri pitanja programa: provera poredi sa onim sto je on izracunao.',
  right: 'Tacno.',
  wrong: 'Nije tacno.',
  facts: 'Program je izracunao {what}: {program}. Vase predvidjanje {predicted} se od toga razlikuje najvise za {largest}.',
  oneMistake: 'Odgovara uobicajenoj gresci:',
  mistakes: 'Odgovara uobicajenim greskama:',
  noMistake: 'Ne odgovara nijednoj od uobicajenih gresaka. Proverite racun korak po korak u tabeli {link}: teme {vertex} ' +
    'posle X (plava kocka), posle Y (zelena) i posle Z (zuta).',
  // The usual mistakes: a name, and what it is with the right way ({reversed}, {right}: the
  // products; {cube}, {previous}: cubes; {axis}: the last turn's axis).
  order: ['Redosled rotacija', 'primenili ste rotacije obrnutim redom ({reversed}); prvo se okrece oko X, pa oko Y, ' +
    'pa oko Z, pa je {cube} {right} primenjeno na crvenu.'],
  direction: ['Smer rotacije', 'okrenuli ste svaku rotaciju na suprotnu stranu (negativan ugao, transponovana matrica ' +
    'ili pravilo leve ruke); pozitivan ugao okrece suprotno kazaljci na satu gledano sa pozitivnog kraja ose, po ' +
    'pravilu desne ruke.'],
  'sine-x': ['Znak sinusa u Rx', 'u matrici Rx ste zamenili znake sinusa; u Rx je \u2212sin u drugom redu, a +sin u trecem.'],
  'sine-y': ['Znak sinusa u Ry', 'napisali ste Ry kao Rx i Rz, sa \u2212sin u prvom redu; u Ry je +sin u prvom redu, a ' +
    '\u2212sin u trecem, jer Y okrece Z ka X.'],
  'sine-z': ['Znak sinusa u Rz', 'u matrici Rz ste zamenili znake sinusa; u Rz je \u2212sin u prvom redu, a +sin u drugom.'],
  radians: ['Stepeni kao radijani', 'uzeli ste stepene kao da su radijani; ugao u stepenima treba pomnoziti sa \u03c0/180 ' +
    'pre racunanja sinusa i kosinusa (30\u00b0 je 0.5236 radijana).'],
  separate: ['Svaka rotacija od pocetne kocke', 'primenili ste rotaciju oko {axis} na pocetnu kocku umesto na rezultat ' +
    'prethodnih; rotacije se nadovezuju, pa {cube} nastaje okretanjem {previous}.'],
  centre: ['Centar kocke', 'okretali ste oko centra kocke (2.5, 2.5, 2.5) umesto oko koordinatnog pocetka; ose rotacije ' +
    'prolaze kroz koordinatni pocetak, gde je teme V2.'],
  // Tasks.
  task: 'Zadatak: gde je teme {vertex} {cube} posle rotacija {turns}? Upisite svoje predvidjanje i pritisnite "Proveri".',
  turn: 'oko {axis} ose za {degrees}\u00b0',
  taskStart: ' Na pocetnoj (crvenoj) kocki je {vertex} u ({start}).',
  badTask: 'Zadatak u adresi stranice ne moze da se postavi: {why}. Zadatak izgleda ovako: #zadatak=V7,30,45,60 ' +
    '(teme V0 do V7, pa uglovi oko X, Y i Z u stepenima, brojevi sa decimalnom tackom); peta stavka, ako je ima, bira ' +
    'kocku: plava, zelena ili zuta (bez nje zuta).',
  badVertex: 'prva stavka "{item}" nije teme V0 do V7',
  badMissing: 'nedostaje ugao oko {item} ose',
  badNumber: 'ugao "{item}" nije broj',
  badInfinite: 'ugao {item} je prevelik za 32-bitni broj',
  badCube: '"{item}" nije ime kocke',
  badRed: 'crvena kocka je pocetna, nijedna rotacija je ne pomera, pa nema sta da se predvidi',
  badExtra: 'posle pete stavke ima jos "{item}"',
  noTaskRed: 'Zadatak se pravi za plavu, zelenu ili zutu kocku: crvenu nijedna rotacija ne pomera.',
  noTaskInfinite: 'Zadatak ne moze da se napravi: bar jedan ugao je beskonacan.',
  // The numbers under the picture.
  numbersTitle: 'Brojevi iza slike',
  numbersNote: 'Svaki broj je tacno onaj koji je program izracunao: 32-bitni broj, napisan najkracim decimalnim ' +
    'zapisom koji se cita nazad u isti broj.',
  numbersWaiting: 'Tabele se popunjavaju kad program procita sva tri odgovora.',
  copy: 'Kopiraj tabele',
  copied: 'Tabele su kopirane.',
  copyBelow: 'Kopirajte tekst ispod.',
  copyText: 'Tabele kao tekst razdvojen tabulatorima',
  anglesCaption: 'Uglovi koje je program procitao',
  step: 'korak',
  degreesRead: 'ugao u stepenima (procitan)',
  radiansUsed: 'ugao u radijanima (za rotaciju)',
  aboutAxis: '{step}: oko {axis} ose',
  column: 'kolona {n}',
  row: 'red {n}',
  matrixCaption: 'R{axis}: rotacija oko {AXIS} ose',
  matrixCaptionRead: 'R{axis}: rotacija oko {AXIS} ose za {degrees}\u00b0',
  cubeWhat: ['pocetna', 'posle X', 'posle Y', 'posle Z'],
  verticesRegion: 'Temena kocki',
  verticesCaption: 'Temena cetiri kocke (V0 do V7)',
  productCaption: 'Rz\u00b7Ry\u00b7Rx: tri rotacije kao jedna matrica',
  productNote: 'Zuta kocka je ova matrica primenjena na crvenu kocku, do na zaokruzivanje 32-bitnih brojeva: za ove ' +
    'odgovore se koordinate razlikuju najvise za {largest}.',
  copyHeads: ['korak', 'stepeni', 'radijani', 'teme'],
  // When the program cannot run.
  technicalReason: 'Tehnicki razlog: {reason}',
  diskFolder: 'Program ne moze da se pokrene iz ove fascikle otvorene sa diska: pregledac ne dozvoljava stranici sa ' +
    'diska da ucita datoteku cube-rotation.wasm. Otvorite datoteku cube-rotation.html, koja sadrzi ceo program i radi ' +
    'i sa diska, ili posluzite ovu fasciklu veb serverom.',
  notLoaded: 'Program nije mogao da se ucita. Proverite vezu i ucitajte stranicu ponovo.',
  stopped: 'Program se neocekivano zaustavio. Pritisnite "Pokreni ponovo" da ga pokrenete iznova.',
  noWebGL: 'Ovaj pregledac ne moze da crta WebGL, pa slika kocki ne moze da se prikaze. Ukljucite WebGL (hardversko ' +
    'ubrzanje) u podesavanjima pregledaca ili otvorite stranicu u drugom pregledacu.',
  noWebGLReason: 'WebGL nije dostupan (getContext("webgl") je vratio null).',
  scriptMissing: 'cube-rotation.js se nije ucitao.',
};

export const messages = { 'sr-Latn': srLatn };
