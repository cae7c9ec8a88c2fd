// Every text of the page's own, by key, per language. The program's own texts (its prompts,
// its legend, its window's title) are not here: the page shows them as the program wrote
// them. {name} marks a value put in; a text with {link} holds an element there. Serbian in
// Cyrillic is made from the Latin table (below), so that it costs no second table.

const srLatn = {
  language: 'Jezik',
  titleGloss: '', // the program's title is in this language already
  // The header's buttons and what they say back.
  share: 'Podeli vezu',
  save: 'Sačuvaj sliku',
  fullscreen: 'Ceo ekran',
  restart: 'Pokreni ponovo',
  linkCopied: 'Veza je kopirana: ',
  copyLink: 'Kopirajte vezu: ',
  taskLinkCopied: 'Veza zadatka je kopirana: ',
  copyTaskLink: 'Kopirajte vezu zadatka: ',
  fromDisk: 'Veza ka datoteci radi samo na ovom računaru. Na vebu dodajte adresi stranice ovaj nastavak: ',
  fromDiskCopied: 'Veza ka datoteci radi samo na ovom računaru. Na vebu dodajte adresi stranice ovaj nastavak (kopiran je): ',
  // The console pane.
  console: 'Konzola',
  transcript: 'Ispis programa',
  answer: 'Odgovor',
  hint: 'Enter šalje odgovor, Ctrl-D završava unos.',
  noMoreInput: 'Program više ne čita unos.',
  pictureBelow: 'Program više ne čita unos; slika je ispod.',
  inputEnded: 'Unos je završen.',
  commaNote: 'Decimalni separator je tačka, ne zarez (12.5, a ne 12,5). Program je pročitao: {read}.',
  signNote: 'Program čita samo broj, sa znakom minus „-“ i bez „°“. Program je pročitao: {read}.',
  // The picture and its key.
  keyTitle: 'Ključ slike',
  keyRed: 'crvena: početna kocka',
  keyBlue: 'plava: ',
  keyGreen: 'zelena: ',
  keyYellow: 'žuta: ',
  keyAxes: 'Ose: X desno, Y gore, Z ka vama.',
  keySign: 'Pozitivan ugao okreće suprotno kazaljci na satu, gledano sa pozitivnog kraja ose.',
  canvas: 'Slika: početna kocka i tri rotirane kocke',
  canvasNote: 'Boje kocki objašnjava ključ uz sliku; temena i matrice koje je program izračunao su u tabelama {link} ispod ' +
    'slike, gde dugme temena (V0 do V7) označava to teme na sve četiri kocke.',
  labelsShown: 'Oznake temena',
  labelsWhich: 'na slici:',
  eachCube: 'sva temena jedne kocke',
  eachVertex: 'jedno teme na sve četiri kocke',
  allFour: '(sve četiri kocke)',
  programMark: 'program',
  predictedMark: 'vaše predviđanje',
  markVertex: 'Označi {vertex} na slici',
  // The cubes: as the key and the tables name them, and in the genitive (V7 žute kocke).
  cubeNames: ['crvena', 'plava', 'zelena', 'žuta'],
  cubes: ['crvena kocka', 'plava kocka', 'zelena kocka', 'žuta kocka'],
  ofCube: ['crvene kocke', 'plave kocke', 'zelene kocke', 'žute kocke'],
  // The check of a prediction.
  checkTitle: 'Predvidite, pa proverite',
  cube: 'kocka',
  vertex: 'teme',
  check: 'Proveri',
  makeTask: 'Napravi zadatak',
  toleranceNote: 'Predviđanje je tačno kad se svaka koordinata od programove razlikuje najviše za {tolerance}: dovoljno za ' +
    'račun rukom sa sinusima i kosinusima na dve decimale, a svaka uobičajena greška se i dalje prepoznaje. Važi i zarez ' +
    'i tačka (2,5 ili 2.5).',
  typeNumber: 'Upišite broj u polje {axis} (na primer 2.5, 2,5 ili \u22122,5).',
  answerFirst: 'Prvo odgovorite na sva tri pitanja programa: provera poredi sa onim što je on izračunao.',
  right: 'Tačno.',
  wrong: 'Nije tačno.',
  facts: 'Program je izračunao {what}: {program}. Vaše predviđanje {predicted} se od toga razlikuje najviše za {largest}.',
  oneMistake: 'Odgovara uobičajenoj grešci:',
  mistakes: 'Odgovara uobičajenim greškama:',
  noMistake: 'Ne odgovara nijednoj od uobičajenih grešaka. Proverite račun korak po korak u tabeli {link}: teme {vertex} ' +
    'posle X (plava kocka), posle Y (zelena) i posle Z (žuta).',
  // The usual mistakes: a name, and what it is with the right way ({reversed}, {right}: the
  // products; {cube}, {previous}: cubes; {axis}: the last turn's axis).
  order: ['Redosled rotacija', 'primenili ste rotacije obrnutim redom ({reversed}); one idu redom kojim su zadate, prvo ' +
    'oko X: {cube} nastaje kad se {right} primeni na crvenu.'],
  direction: ['Smer rotacije', 'okrenuli ste svaku rotaciju na suprotnu stranu (negativan ugao, transponovana matrica ' +
    'ili pravilo leve ruke); pozitivan ugao okreće suprotno kazaljci na satu gledano sa pozitivnog kraja ose, po ' +
    'pravilu desne ruke.'],
  'sine-x': ['Znak sinusa u Rx', 'u matrici Rx ste zamenili znake sinusa; u Rx je \u2212sin u drugom redu, a +sin u trećem.'],
  'sine-y': ['Znak sinusa u Ry', 'napisali ste Ry kao Rx i Rz, sa \u2212sin u prvom redu; u Ry je +sin u prvom redu, a ' +
    '\u2212sin u trećem, jer Y okreće Z ka X.'],
  'sine-z': ['Znak sinusa u Rz', 'u matrici Rz ste zamenili znake sinusa; u Rz je \u2212sin u prvom redu, a +sin u drugom.'],
  radians: ['Stepeni kao radijani', 'uzeli ste stepene kao da su radijani; ugao u stepenima treba pomnožiti sa \u03c0/180 ' +
    'pre računanja sinusa i kosinusa (30° je 0.5236 radijana).'],
  separate: ['Svaka rotacija od početne kocke', 'primenili ste rotaciju oko {axis} na početnu kocku umesto na rezultat ' +
    'prethodnih; rotacije se nadovezuju, pa {cube} nastaje okretanjem {previous}.'],
  centre: ['Centar kocke', 'okretali ste oko centra kocke (2.5, 2.5, 2.5) umesto oko koordinatnog početka; ose rotacije ' +
    'prolaze kroz koordinatni početak, gde je teme V2.'],
  // Tasks.
  task: 'Zadatak: gde je teme {vertex} {cube} posle rotacija {turns}? Upišite svoje predviđanje i pritisnite „{check}“.',
  turn: 'oko {axis} ose za {degrees}°',
  taskStart: ' Na početnoj (crvenoj) kocki je {vertex} u ({start}).',
  badTask: 'Zadatak u adresi stranice ne može da se postavi: {why}. Zadatak izgleda ovako: {example} (teme V0 do V7, pa ' +
    'uglovi oko X, Y i Z u stepenima, brojevi sa decimalnom tačkom); peta stavka, ako je ima, bira kocku: {names} (bez ' +
    'nje žuta).',
  badVertex: 'prva stavka „{item}“ nije teme V0 do V7',
  badMissing: 'nedostaje ugao oko {item} ose',
  badNumber: 'ugao „{item}“ nije broj',
  badInfinite: 'ugao {item} je prevelik za 32-bitni broj',
  badCube: '„{item}“ nije ime kocke',
  badRed: 'crvena kocka je početna, nijedna rotacija je ne pomera, pa nema šta da se predvidi',
  badExtra: 'posle pete stavke ima još „{item}“',
  noTaskRed: 'Zadatak se pravi za plavu, zelenu ili žutu kocku: crvenu nijedna rotacija ne pomera.',
  noTaskInfinite: 'Zadatak ne može da se napravi: bar jedan ugao je beskonačan.',
  // The numbers under the picture.
  numbersTitle: 'Brojevi iza slike',
  numbersNote: 'Svaki broj je programov 32-bitni broj, napisan najkraće tako da se čita nazad u isti broj, sa decimalnom ' +
    'tačkom, kao što ih program čita i piše.',
  numbersWaiting: 'Tabele se popunjavaju kad program pročita sva tri odgovora.',
  copy: 'Kopiraj tabele',
  copied: 'Tabele su kopirane.',
  copyBelow: 'Kopirajte tekst ispod.',
  copyText: 'Tabele kao tekst razdvojen tabulatorima',
  anglesCaption: 'Uglovi koje je program pročitao',
  step: 'korak',
  degreesRead: 'ugao u stepenima (pročitan)',
  radiansUsed: 'ugao u radijanima (za rotaciju)',
  aboutAxis: '{step}: oko {axis} ose',
  column: 'kolona {n}',
  row: 'red {n}',
  matrixCaption: 'R{axis}: rotacija oko {AXIS} ose',
  matrixCaptionRead: 'R{axis}: rotacija oko {AXIS} ose za {degrees}°',
  cubeHead: '{cube} ({what})',
  cubeWhat: ['početna', 'posle X', 'posle Y', 'posle Z'],
  verticesRegion: 'Temena kocki',
  verticesCaption: 'Temena četiri kocke (V0 do V7)',
  productCaption: '{product}: tri rotacije kao jedna matrica',
  productNote: 'Žuta kocka je ova matrica primenjena na crvenu kocku, do na zaokruživanje 32-bitnih brojeva: za ove ' +
    'odgovore se koordinate razlikuju najviše za {largest}.',
  copyHeads: ['korak', 'stepeni', 'radijani', 'teme'],
  // The turns in motion.
  play: 'Pusti okrete',
  pause: 'Pauza',
  previousTurn: 'Prethodni okret',
  nextTurn: 'Sledeći okret',
  motionSlider: 'Okretanje kocke',
  motionStart: 'početak: crvena kocka',
  motionEnd: 'kraj: žuta kocka',
  motionAt: '{axis}: {degrees}° od {total}°',
  readingLegend: 'Rz·Ry·Rx kao okreti oko',
  readingWorld: 'ose sveta',
  readingOwn: 'ose kocke',
  motionKey: 'U pokretu: kocka boje magente se okreće oko crne ose; narandžasto je put temena {vertex}.',
  motionKeyOwn: 'Ljubičaste strelice su ose same kocke; tirkizne kocke su mesta posle njenih okreta.',
  readingsNote: 'Ose sveta: oko nepomične X, pa Y, pa Z, kao program. Ose kocke: oko njene z za ugao Z, pa oko okrenute y′ ' +
    'za Y, pa oko dvaput okrenute x″ za X. Proizvod je isti: okret oko pomerene ose je poništavanje ranijih okreta, okret ' +
    'oko nepomične ose i njihovo ponavljanje, pa se poništavanja skraćuju. Oba čitanja završavaju na žutoj kocki, ovde ' +
    'udaljena najviše {distance} zbog 32-bitnih brojeva.',
  // When the program cannot run.
  technicalReason: 'Tehnički razlog: {reason}',
  diskFolder: 'Pregledač ne da stranici sa diska da učita cube-rotation.wasm. Otvorite cube-rotation.html, koja sadrži ceo ' +
    'program i radi i sa diska, ili poslužite ovu fasciklu veb serverom.',
  notLoaded: 'Program nije mogao da se učita. Proverite vezu i učitajte stranicu ponovo.',
  stopped: 'Program se neočekivano zaustavio. Pritisnite „{restart}“ da ga pokrenete iznova.',
  noWebGL: 'Ovaj pregledač ne može da crta WebGL, pa slika kocki ne može da se prikaže. Uključite WebGL (hardversko ' +
    'ubrzanje) u podešavanjima pregledača ili otvorite stranicu u drugom pregledaču.',
  noWebGLReason: 'WebGL nije dostupan (getContext("webgl") je vratio null).',
  scriptMissing: 'cube-rotation.js se nije učitao.',
  // Homework for a class: the teacher's panel, the student's view, a set link that cannot
  // be used, and what the LMS did.
  homeworkDefaultTitle: 'Domaći zadatak: rotacije kocke',
  homeworkStart: 'Počni',
  homeworkId: 'Oznaka',
  homeworkNext: 'Sledeći zadatak',
  homeworkNotMe: 'Nisam {student}',
  homeworkRight: 'tačno pri prvoj proveri',
  homeworkWrong: 'nije tačno pri prvoj proveri',
  homeworkNotChecked: 'još nije provereno',
  homeworkMakeLink: 'Napravi vezu',
  homeworkFrom: 'od',
  homeworkTo: 'do',
  print: 'Štampaj',
  printKey: 'Štampaj ključ',
  printTask: 'Gde je teme {vertex} {cube} posle rotacija {turns}?',
  // The teacher's panel.
  homeworkPanel: 'Domaći zadatak za razred',
  homeworkTitle: 'Naslov',
  homeworkCount: 'Broj zadataka (1 do 10)',
  homeworkAngles: 'Uglovi',
  homeworkStep30: 'umnošci 30°',
  homeworkStep15: 'umnošci 15°',
  homeworkStep1: 'celi stepeni',
  homeworkCubes: 'Kocka u pitanju',
  homeworkYellow: 'samo žuta',
  homeworkTurned: 'bilo koja okrenuta (plava, zelena ili žuta)',
  homeworkVertices: 'Temena',
  homeworkPassMark: 'Za prolaz (od 100)',
  homeworkPackage: 'Preuzmi paket za LMS',
  homeworkIds: 'Oznake učenika (jedna u redu)',
  homeworkKey: 'Prikaži zadatke i rešenja',
  homeworkKeyFor: 'Zadaci učenika {student}',
  homeworkProgramAnswer: 'Rešenje programa: {point}',
  // The student's view.
  homeworkAskId: 'Upišite svoju oznaku (ime ili broj indeksa) kako vam je nastavnik rekao: po njoj dobijate svoje zadatke.',
  homeworkStudent: 'Učenik: {student}',
  homeworkTaskOf: 'Zadatak {n} od {count}',
  homeworkCounts: 'Računa se prva provera svakog zadatka; sledeće provere su vežba i beleže se kao vežba.',
  homeworkScore: 'Rezultat: {score} od 100 ({right} od {count} zadataka tačno pri prvoj proveri). Za prolaz: {passMark}.',
  homeworkScoreHere: 'Rezultat vidite samo vi: stranica nije otvorena iz LMS-a.',
  homeworkIncomplete: 'Još niste proverili sve zadatke.',
  homeworkPassed: 'Položeno.',
  homeworkFailed: 'Nije položeno.',
  // A set link that cannot be used.
  badSet: 'Domaći zadatak u adresi stranice ne može da se postavi: {why}. Zatražite od nastavnika novu vezu.',
  badSetForm: 'veza je oštećena ili nepotpuna',
  badSetTitle: 'naslov je prazan, predug ili oštećen',
  badSetCount: 'broj zadataka nije od 1 do 10',
  badSetStep: 'uglovi nisu umnošci 30°, 15° ili celi stepeni',
  badSetRange: 'opseg uglova nije ispravan',
  badSetCubes: 'kocke nisu ispravno zadate',
  badSetVertices: 'temena nisu ispravno zadata',
  badSetPassMark: 'prag za prolaz nije od 0 do 100',
  // The LMS.
  lmsNoStart: 'Veza sa LMS-om nije uspostavljena, pa se rezultat ne šalje. Vaš rad se čuva u ovom pregledaču.',
  lmsNoStudent: 'LMS nije javio ko ste. Upišite svoju oznaku da biste dobili svoje zadatke.',
  lmsNotSaved: 'LMS nije primio sve (neposlato provera: {unsent}). Vaš rad je sačuvan i biće poslat ponovo pri sledećoj proveri; stranica radi dalje.',
  lmsUnreadable: 'Rad koji je LMS sačuvao ne može da se pročita; nastavljate od onoga što je sačuvano u ovom pregledaču.',
};

const en = {
  language: 'Language',
  share: 'Share link',
  save: 'Save picture',
  fullscreen: 'Full screen',
  restart: 'Start again',
  linkCopied: 'The link is copied: ',
  copyLink: 'Copy the link: ',
  taskLinkCopied: 'The task\'s link is copied: ',
  copyTaskLink: 'Copy the task\'s link: ',
  fromDisk: 'A link to a file works on this computer only. On the web, add this to the page\'s address: ',
  fromDiskCopied: 'A link to a file works on this computer only. On the web, add this to the page\'s address (it is copied): ',
  console: 'Console',
  transcript: 'The program\'s output',
  answer: 'Answer',
  hint: 'Enter sends the answer, Ctrl-D ends the input.',
  noMoreInput: 'The program reads no more input.',
  pictureBelow: 'The program reads no more input; the picture is below.',
  inputEnded: 'The input has ended.',
  commaNote: 'The decimal separator is a point, not a comma (12.5, not 12,5). The program read: {read}.',
  signNote: 'The program reads a bare number, with the minus sign "-" and no "°". The program read: {read}.',
  keyTitle: 'Key to the picture',
  keyRed: 'red: the starting cube',
  keyBlue: 'blue: ',
  keyGreen: 'green: ',
  keyYellow: 'yellow: ',
  keyAxes: 'Axes: X to the right, Y up, Z towards you.',
  keySign: 'A positive angle turns counter-clockwise, seen from the positive end of the axis.',
  canvas: 'Picture: the starting cube and three turned cubes',
  canvasNote: 'The key beside the picture names the cubes\' colours; the vertices and matrices the program computed are in ' +
    'the tables {link} below, where a vertex\'s button (V0 to V7) marks it on all four cubes.',
  labelsShown: 'Corner labels',
  labelsWhich: 'on the picture:',
  eachCube: 'all corners of one cube',
  eachVertex: 'one vertex on all four cubes',
  allFour: '(all four cubes)',
  programMark: 'program',
  predictedMark: 'your prediction',
  markVertex: 'Mark {vertex} on the picture',
  cubeNames: ['red', 'blue', 'green', 'yellow'],
  cubes: ['red cube', 'blue cube', 'green cube', 'yellow cube'],
  ofCube: ['of the red cube', 'of the blue cube', 'of the green cube', 'of the yellow cube'],
  checkTitle: 'Predict, then check',
  cube: 'cube',
  vertex: 'vertex',
  check: 'Check',
  makeTask: 'Make a task',
  toleranceNote: 'A prediction is right when each coordinate is within {tolerance} of the program\'s: enough for work by ' +
    'hand with sines and cosines to two decimals, while every usual mistake is still recognised. A point or a comma, ' +
    'both do (2.5 or 2,5).',
  typeNumber: 'Type a number in the field {axis} (for example 2.5, 2,5 or \u22122.5).',
  answerFirst: 'First answer the program\'s three questions: the check compares with what it computed.',
  right: 'Right.',
  wrong: 'Not right.',
  facts: 'The program computed {what}: {program}. Your prediction {predicted} differs from it by at most {largest}.',
  oneMistake: 'It matches a usual mistake:',
  mistakes: 'It matches usual mistakes:',
  noMistake: 'It matches none of the usual mistakes. Check your working step by step in the table {link}: vertex {vertex} ' +
    'after X (blue cube), after Y (green) and after Z (yellow).',
  order: ['Order of the turns', 'you applied the turns in the reverse order ({reversed}); they come in the order asked, the ' +
    'one about X first: the {cube} is {right} applied to the red one.'],
  direction: ['Direction of the turns', 'you turned each rotation the other way (a negative angle, a transposed matrix or ' +
    'the left hand); a positive angle turns counter-clockwise seen from the positive end of the axis, by the right-hand ' +
    'rule.'],
  'sine-x': ['Sign of the sine in Rx', 'you swapped the signs of the sines in Rx; Rx has \u2212sin in its second row and ' +
    '+sin in its third.'],
  'sine-y': ['Sign of the sine in Ry', 'you wrote Ry like Rx and Rz, with \u2212sin in its first row; Ry has +sin in its ' +
    'first row and \u2212sin in its third, since Y turns Z towards X.'],
  'sine-z': ['Sign of the sine in Rz', 'you swapped the signs of the sines in Rz; Rz has \u2212sin in its first row and ' +
    '+sin in its second.'],
  radians: ['Degrees as radians', 'you took the degrees for radians; multiply an angle in degrees by \u03c0/180 before ' +
    'taking its sine and cosine (30° is 0.5236 radians).'],
  separate: ['Each turn from the starting cube', 'you applied the turn about {axis} to the starting cube instead of to the ' +
    'result of the ones before; the turns build on each other, so the {cube} is the turn about {axis} applied to the ' +
    'vertex {previous}.'],
  centre: ['The cube\'s centre', 'you turned about the cube\'s centre (2.5, 2.5, 2.5) instead of the origin; the axes of ' +
    'the turns pass through the origin, where vertex V2 is.'],
  task: 'Task: where is vertex {vertex} {cube} after the turns {turns}? Type your prediction and press "{check}".',
  turn: 'about the {axis} axis by {degrees}°',
  taskStart: ' On the starting (red) cube, {vertex} is at ({start}).',
  badTask: 'The task in the page\'s address cannot be asked: {why}. A task looks like this: {example} (a vertex V0 to V7, ' +
    'then the angles about X, Y and Z in degrees, numbers with a decimal point); a fifth item, if any, picks the cube: ' +
    '{names} (without it, yellow).',
  badVertex: 'the first item "{item}" is no vertex V0 to V7',
  badMissing: 'the angle about the {item} axis is missing',
  badNumber: 'the angle "{item}" is not a number',
  badInfinite: 'the angle {item} is too large for a 32-bit number',
  badCube: '"{item}" is no cube\'s name',
  badRed: 'the red cube is the starting one, no turn moves it, so there is nothing to predict',
  badExtra: 'there is more after the fifth item: "{item}"',
  noTaskRed: 'A task asks about the blue, green or yellow cube: no turn moves the red one.',
  noTaskInfinite: 'No task can be made: at least one angle is infinite.',
  numbersTitle: 'The numbers behind the picture',
  numbersNote: 'Each number is the program\'s 32-bit number, written as the shortest decimal that reads back as it, with a ' +
    'decimal point, as the program reads and writes them.',
  numbersWaiting: 'The tables fill in once the program has read all three answers.',
  copy: 'Copy the tables',
  copied: 'The tables are copied.',
  copyBelow: 'Copy the text below.',
  copyText: 'The tables as tab-separated text',
  anglesCaption: 'The angles the program read',
  step: 'step',
  degreesRead: 'angle in degrees (read)',
  radiansUsed: 'angle in radians (for the turn)',
  aboutAxis: '{step}: about the {axis} axis',
  column: 'column {n}',
  row: 'row {n}',
  matrixCaption: 'R{axis}: turn about the {AXIS} axis',
  matrixCaptionRead: 'R{axis}: turn about the {AXIS} axis by {degrees}°',
  cubeHead: '{cube} ({what})',
  cubeWhat: ['start', 'after X', 'after Y', 'after Z'],
  verticesRegion: 'The cubes\' vertices',
  verticesCaption: 'The four cubes\' vertices (V0 to V7)',
  productCaption: '{product}: the three turns as one matrix',
  productNote: 'The yellow cube is this matrix applied to the red cube, up to the rounding of 32-bit numbers: for these ' +
    'answers the coordinates differ by at most {largest}.',
  copyHeads: ['step', 'degrees', 'radians', 'vertex'],
  play: 'Play the turns',
  pause: 'Pause',
  previousTurn: 'Previous turn',
  nextTurn: 'Next turn',
  motionSlider: 'The cube turning',
  motionStart: 'the start: the red cube',
  motionEnd: 'the end: the yellow cube',
  motionAt: '{axis}: {degrees}° of {total}°',
  readingLegend: 'Rz·Ry·Rx as turns about',
  readingWorld: 'the world\'s axes',
  readingOwn: 'the cube\'s own axes',
  motionKey: 'In motion: the magenta cube turns about the black axis; the orange line is the path of vertex {vertex}.',
  motionKeyOwn: 'The purple arrows are the cube\'s own axes; the cyan cubes are where its turns have taken it.',
  readingsNote: 'The world\'s axes: about the fixed X, then Y, then Z, as the program does. The cube\'s own axes: about its ' +
    'z by the Z angle, then the turned y′ by Y, then the twice-turned x″ by X. The product is the same: a turn about a ' +
    'moved axis is the earlier turns undone, the turn about the fixed axis, and those turns redone, so the undoings ' +
    'cancel. Both readings end on the yellow cube, here at most {distance} apart from 32-bit rounding.',
  technicalReason: 'Technical reason: {reason}',
  diskFolder: 'The browser does not let a page from the disk load cube-rotation.wasm. Open cube-rotation.html, which holds ' +
    'the whole program and works from the disk too, or serve this folder with a web server.',
  notLoaded: 'The program could not be loaded. Check the connection and load the page again.',
  stopped: 'The program stopped unexpectedly. Press "{restart}" to start it again.',
  noWebGL: 'This browser cannot draw WebGL, so the picture of the cubes cannot be shown. Turn WebGL (hardware ' +
    'acceleration) on in the browser\'s settings, or open the page in another browser.',
  noWebGLReason: 'WebGL is not available (getContext("webgl") returned null).',
  scriptMissing: 'cube-rotation.js did not load.',
  // The page's translation of the program's texts, shown under them, never as part of them.
  glossMark: 'translation',
  titleGloss: 'Geometry: the task shown',
  glossX: 'By how many degrees do you want to rotate the box about the X axis?',
  glossY: 'By how many degrees do you want to rotate the box about the Y axis?',
  glossZ: 'By how many degrees do you want to rotate the box about the Z axis?',
  glossLegend: 'Starting cube: red. Cube turned about the X axis: blue; about the Y axis: green; about the Z axis: yellow.',
  homeworkDefaultTitle: 'Homework: turning the cube',
  homeworkStart: 'Start',
  homeworkId: 'Id',
  homeworkNext: 'Next task',
  homeworkNotMe: 'I am not {student}',
  homeworkRight: 'right at the first check',
  homeworkWrong: 'not right at the first check',
  homeworkNotChecked: 'not checked yet',
  homeworkMakeLink: 'Make the link',
  homeworkFrom: 'from',
  homeworkTo: 'to',
  print: 'Print',
  printKey: 'Print the key',
  printTask: 'Where is vertex {vertex} {cube} after the turns {turns}?',
  homeworkPanel: 'Homework for a class',
  homeworkTitle: 'Title',
  homeworkCount: 'Number of tasks (1 to 10)',
  homeworkAngles: 'Angles',
  homeworkStep30: 'multiples of 30°',
  homeworkStep15: 'multiples of 15°',
  homeworkStep1: 'whole degrees',
  homeworkCubes: 'Cube asked about',
  homeworkYellow: 'the yellow one only',
  homeworkTurned: 'any turned one (blue, green or yellow)',
  homeworkVertices: 'Vertices',
  homeworkPassMark: 'Pass mark (of 100)',
  homeworkPackage: 'Download the LMS package',
  homeworkIds: 'Student ids (one a line)',
  homeworkKey: 'Show the tasks and answers',
  homeworkKeyFor: 'Tasks of {student}',
  homeworkProgramAnswer: "The program's answer: {point}",
  homeworkAskId: 'Type your id (name or student number) as your teacher told you: your tasks come from it.',
  homeworkStudent: 'Student: {student}',
  homeworkTaskOf: 'Task {n} of {count}',
  homeworkCounts: "Each task's first check counts; later checks are practice and recorded as such.",
  homeworkScore: 'Score: {score} of 100 ({right} of {count} tasks right at the first check). Pass mark: {passMark}.',
  homeworkScoreHere: 'Only you see this score: the page was not opened from an LMS.',
  homeworkIncomplete: 'Some tasks are not checked yet.',
  homeworkPassed: 'Passed.',
  homeworkFailed: 'Not passed.',
  badSet: 'The homework in the page address cannot be used: {why}. Ask your teacher for a new link.',
  badSetForm: 'the link is damaged or incomplete',
  badSetTitle: 'the title is empty, too long or damaged',
  badSetCount: 'the number of tasks is not 1 to 10',
  badSetStep: 'the angles are not multiples of 30°, 15° or whole degrees',
  badSetRange: 'the range of angles is not valid',
  badSetCubes: 'the cubes are not valid',
  badSetVertices: 'the vertices are not valid',
  badSetPassMark: 'the pass mark is not 0 to 100',
  lmsNoStart: 'No connection to the LMS, so the score is not sent. Your work is kept in this browser.',
  lmsNoStudent: 'The LMS did not say who you are. Type your id to get your tasks.',
  lmsNotSaved: 'The LMS did not take everything ({unsent} checks unsent). Your work is kept and will be sent again with your next check; the page works on.',
  lmsUnreadable: 'The work the LMS saved cannot be read; you go on from what this browser kept.',
};

// Serbian Latin to Cyrillic, letter by letter (lj, nj and dž are one letter each). Words that
// are not Serbian stay as they are: names from the code and the file system, the matrices'
// and axes' letters, and any word with a letter that Serbian does not have.
const cyrillic = Object.fromEntries([...'abvgdđežzijklmnoprstćufhcčš'].map((letter, i) => [letter, 'абвгдђежзијклмнопрстћуфхцчш'[i]]));
// (A word with q, w, x or y is kept without being listed.)
const latinOnly = new Set(['V', 'Z', 'R', 'z', 'Rz', 'sin', 'Enter', 'Ctrl', 'D', 'null', 'cube', 'rotation', 'html', 'js', 'LMS']);

function toCyrillicWord(word) {
  if (latinOnly.has(word) || /[qwxy]/i.test(word)) {
    return word;
  }
  return word.replace(/[Dd][žŽ]|[LlNn][jJ]|./g, (letter) => {
    const lower = letter.toLowerCase();
    const mapped = { dž: 'џ', lj: 'љ', nj: 'њ' }[lower] ?? cyrillic[lower] ?? letter;
    return letter[0] === lower[0] ? mapped : mapped.toUpperCase();
  });
}

export function toCyrillic(text) {
  return text.replace(/\{\w+\}|[A-Za-zČĆĐŠŽčćđšž]+/g, (word) => (word.startsWith('{') ? word : toCyrillicWord(word)));
}

const srCyrl = Object.fromEntries(Object.entries(srLatn).map(([key, value]) =>
  [key, Array.isArray(value) ? value.map(toCyrillic) : toCyrillic(value)]));

export const messages = { 'sr-Latn': srLatn, 'sr-Cyrl': srCyrl, en };

// Each language's name in itself, for the switch.
export const languageNames = { 'sr-Latn': 'Srpski (latinica)', 'sr-Cyrl': 'Српски (ћирилица)', en: 'English' };
