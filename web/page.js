// The page around the show: its status lines, the program's download and
// compile, full screen, and the hooks the show's runtime calls (Module). A
// file of its own, not a script inside index.html, so that a server's
// Content-Security-Policy needs to allow no inline script: script-src 'self'
// 'wasm-unsafe-eval' is enough.
var statusLine = document.getElementById('status');
var canvas = document.getElementById('canvas');
var stage = document.getElementById('stage');
var fullScreenButton = document.getElementById('fullscreen');
var lastLine = '';
var playing = true;
var builtBy = ' (make web builds it into build-web/)';

// Says why the show cannot play, once: the first reason is the real one.
function cannotPlay(message) {
  if (!playing) return;
  playing = false;
  statusLine.textContent = message;
  if (Module.onCannotPlay) Module.onCannotPlay(message);
}
function missing(file, why) {
  cannotPlay('The show cannot start: ' + file + ' could not be loaded' + (why ? ' (' + why + ')' : '') +
             '. Put ' + file + ' beside index.html' + builtBy + '.');
}
// A script that fails to load says so only to listeners that capture: its
// error event does not bubble.
window.addEventListener('error', function (event) {
  var source = event.target && event.target.src;
  if (source && /\/starwhirl\.js$/.test(source))
    missing('starwhirl.js', 'the server has no such file or could not be reached');
}, true);

// A server's Content-Security-Policy that does not allow 'wasm-unsafe-eval'
// refuses the compile, which the browser reports as an error like any other
// and, separately, as a violation of the policy.
var policyRefusedCompile = false;
document.addEventListener('securitypolicyviolation', function (event) {
  if (/eval/.test(event.blockedURI) || /eval/.test(event.sample || '')) policyRefusedCompile = true;
});
function refusedByPolicy(error) {
  return policyRefusedCompile || /Content.Security.Policy|CSP|unsafe-eval/i.test(error);
}

// The program is fetched and compiled from the start, while the page makes
// the WebGL context and the browser loads starwhirl.js; compiling runs
// while it downloads when the server says what it is (application/wasm),
// and after the download under any other type. The outcome is a module or
// the reason there is none.
function compileProgram() {
  if (location.protocol === 'file:')
    return Promise.resolve({cannot: 'The show cannot start from a file opened in the browser, which loads no ' +
      'program that way. Serve this folder with make serve-web or any static web server and open the page from there.'});
  return fetch('starwhirl.wasm').then(function (response) {
    if (!response.ok) return {missing: 'the server answered ' + response.status + ' ' + response.statusText};
    var type = response.headers.get('Content-Type') || '';
    var compiled = WebAssembly.compileStreaming && type.split(';')[0].trim() === 'application/wasm' ?
      WebAssembly.compileStreaming(response) :
      response.arrayBuffer().then(function (bytes) {
        console.warn('starwhirl.wasm came as "' + type + '", not application/wasm: it is compiled only after ' +
                     'the download; serving .wasm files as application/wasm starts the show sooner');
        return WebAssembly.compile(bytes);
      });
    // Whatever stops the compiling is the file's fault (a file cut short
    // is a CompileError in one browser, "out of memory" in another).
    return compiled.then(function (module) { return {module: module}; },
                         function (error) { return {damaged: String(error)}; });
  }, function (error) {
    return {missing: String(error.message || error)};
  });
}
var program = compileProgram();

function instantiate(imports, ready) {
  program.then(function (outcome) {
    if (outcome.cannot) cannotPlay(outcome.cannot);
    else if (outcome.missing) missing('starwhirl.wasm', outcome.missing);
    else if (outcome.damaged && refusedByPolicy(outcome.damaged))
      cannotPlay('The show cannot start: this server\'s Content-Security-Policy does not let the page compile ' +
                 'starwhirl.wasm (the browser says: ' + outcome.damaged + '). The policy must allow ' +
                 '\'wasm-unsafe-eval\', for example: script-src \'self\' \'wasm-unsafe-eval\'.');
    else if (outcome.damaged)
      cannotPlay('The show cannot start: starwhirl.wasm is damaged (the browser says: ' + outcome.damaged +
                 '). Copy it again beside index.html' + builtBy + '.');
    else return WebAssembly.instantiate(outcome.module, imports).then(function (instance) {
      ready(instance, outcome.module);
    });
  }).catch(function (error) {
    cannotPlay('The show cannot start: starwhirl.wasm could not be started (' + error + ').');
  });
  return {};
}

// In full screen the drawing buffer follows the screen, in device pixels
// (web/main.cpp asks for the size each frame); outside it the show draws
// its 800 x 600, which the style above scales down where it must.
function fullScreen() { return document.fullscreenElement === stage; }
fullScreenButton.addEventListener('click', function () {
  if (fullScreen()) document.exitFullscreen();
  else stage.requestFullscreen().catch(function (error) {
    document.getElementById('problem').textContent = 'Full screen was refused: ' + error.message;
  });
});
document.addEventListener('fullscreenchange', function () {
  fullScreenButton.textContent = fullScreen() ? 'Leave full screen' : 'Full screen';
  canvas.focus();
});
if (!document.fullscreenEnabled) {
  fullScreenButton.disabled = true;
  fullScreenButton.title = 'This browser or page allows no full screen';
}

// On a software renderer making the WebGL context takes longer than
// anything else before the first frame, so it is made while the program
// downloads, with what the show's window asks for: RGB, depth, no alpha,
// no multisampling. Without WebGL the show finds none and says so.
var webgl = location.protocol === 'file:' ? null :
  canvas.getContext('webgl', {alpha: false, depth: true, stencil: false, antialias: false});

// A GPU reset or a driver update takes the WebGL context, and the show's
// texture and lists with it: the show ends (web/main.cpp) and the status
// line says why and what to do.
var contextLost = false;
var lastFrame = -1;
canvas.addEventListener('webglcontextlost', function () { contextLost = true; });

var Module = {
  canvas: canvas,
  preinitializedWebGLContext: webgl || undefined,
  instantiateWasm: instantiate,
  wantedCanvasSize: function () {
    if (!fullScreen()) return [800, 600];
    var scale = window.devicePixelRatio || 1;
    return [Math.round(canvas.clientWidth * scale), Math.round(canvas.clientHeight * scale)];
  },
  // The frame counter, one line per frame, as on a terminal.
  print: function (line) { lastLine = line; console.log(line); },
  // The show's own messages (a missing font, no WebGL) are for the viewer.
  printErr: function (line) {
    console.error(line);
    if (line.indexOf('starwhirl: ') === 0) document.getElementById('problem').textContent = line;
  },
  onFrame: function (frame, scene) {
    lastFrame = frame;
    statusLine.textContent = 'Frame ' + frame + ' \u2014 ' + scene;
  },
  onExit: function (status) {
    playing = false;
    if (fullScreen()) document.exitFullscreen();
    if (contextLost)
      statusLine.textContent = 'The show has ended: the graphics context was lost after frame ' + lastFrame +
        ' (the graphics card was reset or its driver changed). Reload the page to start the show again.';
    else
      statusLine.textContent = 'The show has ended (status ' + status + ')' +
        (lastLine ? '; the counter stopped at ' + parseInt(lastLine, 10) + '.' : '.');
  },
  onAbort: function (what) {
    if (playing) statusLine.textContent = 'The show stopped: ' + what;
    playing = false;
  }
};
canvas.focus();
