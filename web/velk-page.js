// The page around the game: loading with progress, the canvas's size, the
// persistent store of saves (IndexedDB), the save's download and upload,
// Web Audio's context, clear errors, and the replay hooks a test reads.
//
// URL parameters (all optional): store=NAME picks the save store (default
// "player"); script=URL replays an input script as `velk --headless` does,
// with seed=N, frames=N, dump=1 (state dump) and shots=F,F,... (canvas
// pictures at those paced frames); verbose=1 passes --verbose.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const store = (params.get('store') || 'player').replace(/[^A-Za-z0-9_-]/g, '') || 'player';
  const saveDir = '/saves/' + store;
  const savePath = saveDir + '/txt/user/user.txt';
  const script = params.get('script');
  const $ = (id) => document.getElementById(id);
  const canvas = $('canvas');

  // What a test (or a curious player) reads back: window.velk.
  const result = {
    done: false, code: null, message: '', dump: null, shots: {},
    titleMs: null, pacedFrames: 0, gameState: null, frameCostMs: [], storage: 'pending', synced: Promise.resolve(),
  };
  window.velk = result;

  function showError(text) {
    const box = $('error');
    box.textContent = text;
    box.hidden = false;
  }
  function setProgress(text, fraction) {
    $('status').textContent = text;
    if (fraction !== undefined) $('progress').value = fraction;
  }

  // The canvas at the largest whole scale that fits the window; a window
  // smaller than the game's screen shrinks it to fit.
  function fitCanvas() {
    const room = Math.min((window.innerWidth - 16) / canvas.width, (window.innerHeight - 16) / canvas.height);
    const scale = room >= 1 ? Math.floor(room) : Math.max(room, 0.25);
    canvas.style.width = canvas.width * scale + 'px';
    canvas.style.height = canvas.height * scale + 'px';
  }
  window.addEventListener('resize', fitCanvas);
  fitCanvas();
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  canvas.addEventListener('mousedown', () => canvas.focus());

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    showError('This browser cannot run WebAssembly, which the game needs. ' +
              'Any current Chrome, Firefox, Safari or Edge can.');
    setProgress('Cannot start.');
    return;
  }
  if (typeof DecompressionStream !== 'function') {
    showError('This browser is too old to unpack the game\'s font (no DecompressionStream); please update it.');
    setProgress('Cannot start.');
    return;
  }

  // Web Audio starts on the player's first key or click, as browsers require.
  let audioContext = null;
  function context() {
    if (!audioContext) {
      const Ctor = window.AudioContext || window.webkitAudioContext;
      if (!Ctor) return null;
      audioContext = new Ctor();
    }
    return audioContext;
  }
  function wake() { if (audioContext && audioContext.state === 'suspended') audioContext.resume(); }
  window.addEventListener('keydown', wake);
  window.addEventListener('mousedown', wake);

  // One write to IndexedDB at a time; writes asked for meanwhile go in the
  // next one. The game writes every file to a temporary name and renames it
  // over the old one, so a rename into the store is the moment to persist.
  let syncing = false;
  let again = false;
  let syncWaiters = [];
  function persist() {
    if (result.storage !== 'ok') return Promise.resolve();
    const p = new Promise((resolve) => syncWaiters.push(resolve));
    if (syncing) { again = true; return p; }
    syncing = true;
    const waiters = syncWaiters;
    syncWaiters = [];
    FS.syncfs(false, (err) => {
      syncing = false;
      if (err) showError('Saving to the browser\'s storage failed (' + err + '); the last save may be lost on reload.');
      waiters.forEach((w) => w());
      if (again) { again = false; persist(); }
    });
    return p;
  }

  function mountStore() {
    FS.mkdirTree(saveDir);
    FS.mount(IDBFS, {}, saveDir);
    Module.addRunDependency('store');
    FS.syncfs(true, (err) => {
      if (err) {
        result.storage = 'refused';
        showError('The browser refused this page its storage (' + err + '). The game runs, ' +
                  'but nothing it saves survives a reload; allow site data for this page to keep saves.');
      } else {
        result.storage = 'ok';
      }
      Module.removeRunDependency('store');
    });
    const rename = FS.rename;
    FS.rename = function (from, to) {
      const r = rename.call(FS, from, to);
      if (String(to).startsWith(saveDir + '/')) result.synced = persist();
      return r;
    };
  }

  function fetchInto(url, path, gunzip) {
    Module.addRunDependency(path);
    fetch(url).then((response) => {
      if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
      const body = gunzip ? response.body.pipeThrough(new DecompressionStream('gzip')) : response.body;
      return new Response(body).arrayBuffer();
    }).then((bytes) => {
      FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
      FS.writeFile(path, new Uint8Array(bytes));
      Module.removeRunDependency(path);
    }).catch((e) => {
      showError('Loading ' + url + ' failed: ' + e.message);
      setProgress('Cannot start.');
    });
  }

  const args = ['--windowed', '--data', '/data', '--save-dir', saveDir];
  if (script) {
    args.push('--headless', '--script', '/input/script.txt');
    if (params.get('seed') !== null) args.push('--seed', params.get('seed'));
    if (params.get('frames') !== null) args.push('--frames', params.get('frames'));
    if (params.get('dump') === '1') args.push('--dump-state', '/input/state.json');
    for (const f of (params.get('shots') || '').split(',').filter((s) => s !== ''))
      args.push('--screenshot', f + ':/input/shot-' + f + '.png');
  }
  if (params.get('verbose') === '1') args.push('--verbose');

  window.Module = {
    canvas: canvas,
    arguments: args,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    preRun: [() => {
      mountStore();
      fetchInto('glyphs.vkga.gz', '/atlas/glyphs.vkga', true);
      fetchInto('cp949.bin', '/atlas/cp949.bin', false);
      if (script) fetchInto(script, '/input/script.txt', false);
    }],
    setStatus: (text) => {
      const m = /\((\d+)\/(\d+)\)/.exec(text);
      if (m) setProgress('Downloading the world…', Number(m[1]) / Number(m[2]));
      else if (text) setProgress(text);
    },
    velkAudioContext: context,
    onCanvasOpen: () => { fitCanvas(); $('loading').hidden = true; },
    onPacedFrame: (index, costMs, gameState) => {
      result.gameState = gameState;
      // From the start of the page's navigation to the first paced frame (the title's).
      if (result.titleMs === null) result.titleMs = performance.now();
      result.pacedFrames = index + 1;
      if (result.frameCostMs.length < 100000) result.frameCostMs.push(costMs);
    },
    onScreenshot: (index) => { result.shots[index] = canvas.toDataURL('image/png'); },
    onGameEnd: (code, message, dump) => {
      result.code = code;
      result.message = message;
      result.dump = dump;
      if (code !== 0) {
        showError('The game stopped: ' + (message || 'exit code ' + code));
        setProgress('The game stopped.');
      } else if (!script) {
        setProgress('The game has ended; reload the page to play again.');
      }
      $('loading').hidden = code === 0 && !!script;
      persist().then(() => { result.done = true; });
    },
    onAbort: (what) => {
      showError('The game crashed (' + what + '). Reload the page to start again; your last save is kept.');
      result.code = -1;
      result.done = true;
    },
  };

  $('download').addEventListener('click', () => {
    let bytes;
    try { bytes = FS.readFile(savePath); } catch (e) {
      showError('There is no save yet: play until the game saves, then download it.');
      return;
    }
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = 'user.txt';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  });

  // An uploaded save replaces this store's; the page reloads so the game
  // starts from it. The game checks the file as it loads it, as it checks
  // any save (a damaged one is kept aside and a new hero starts).
  $('upload').addEventListener('change', (e) => {
    const file = e.target.files[0];
    if (!file) return;
    if (!confirm('Replace the save in this browser with ' + file.name + '?')) return;
    file.arrayBuffer().then((bytes) => result.importSave(new Uint8Array(bytes))).then(() => location.reload());
  });
  result.importSave = (bytes) => {
    FS.mkdirTree(savePath.substring(0, savePath.lastIndexOf('/')));
    FS.writeFile(savePath + '.tmp', bytes);
    FS.rename(savePath + '.tmp', savePath);
    return result.synced;
  };
  result.readSave = () => { try { return FS.readFile(savePath); } catch (e) { return null; } };

  setProgress('Loading the game…', 0);
  const loader = document.createElement('script');
  loader.src = 'velk.js';
  loader.onerror = () => { showError('Loading velk.js failed: is the page served by a web server?'); };
  document.body.appendChild(loader);
})();
