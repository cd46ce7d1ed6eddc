// Loaded into the page after the page's own script and before the show's:
// it wraps the page's Module hooks and reports to the test server the counter
// lines, the pictures of the frames asked for (read back while they are
// still in the drawing buffer, as PPM), the page's status line, the exit
// status and the times of the steps to the first frame.
//   ?frames=350,1000  the frames to picture
//   ?escape=N         press Escape after frame N is drawn
//   ?layout=N         report where the canvas and the status line lie, at frame N
//                     (and always once the show has ended, as layout-at-end)
//   ?lose=N           lose the WebGL context (WEBGL_lose_context) after frame N
//   ?fullscreen=N     at frame N press the page's full-screen control, then
//                     press it again, reporting the drawing buffer's size in
//                     and after full screen; then Escape
//   ?report=URL       where the test server is, for a page opened as a file
(function () {
  var query = new URLSearchParams(location.search);
  function frameOption(name) { return query.has(name) ? Number(query.get(name)) : -1; }
  var wanted = (query.get('frames') || '').split(',').filter(Boolean).map(Number);
  var escapeAt = frameOption('escape');
  var layoutAt = frameOption('layout');
  var loseAt = frameOption('lose');
  var fullScreenAt = frameOption('fullscreen');
  var server = query.get('report') || '';
  var lines = [];

  // Synchronous, so that nothing is lost when the show ends and reports
  // arrive in the order of events.
  function post(name, body) {
    var request = new XMLHttpRequest();
    request.open('POST', server + '/report/' + name, false);
    request.send(body);
  }
  function flushLines() {
    if (lines.length) post('lines', lines.join('\n') + '\n');
    lines = [];
  }
  function readFrame(frame) {
    var gl = Module.ctx;
    var rgba = new Uint8Array(800 * 600 * 4);
    gl.readPixels(0, 0, 800, 600, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
    var header = 'P6\n800 600\n255\n';
    var ppm = new Uint8Array(header.length + 800 * 600 * 3);
    for (var i = 0; i < header.length; i++) ppm[i] = header.charCodeAt(i);
    var at = header.length;
    for (var row = 599; row >= 0; row--) {  // GL reads bottom-up; PPM runs top-down
      for (var x = 0; x < 800; x++) {
        var p = (row * 800 + x) * 4;
        ppm[at++] = rgba[p]; ppm[at++] = rgba[p + 1]; ppm[at++] = rgba[p + 2];
      }
    }
    post('frame-' + String(frame).padStart(4, '0') + '.ppm', ppm);
  }
  function status() { return document.getElementById('status').textContent + '\n'; }
  function pressEscape() {
    window.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape', keyCode: 27, bubbles: true}));
  }
  // One line: "canvas LEFT TOP WIDTH HEIGHT status BOTTOM window WIDTH HEIGHT", CSS pixels.
  function reportLayout(name) {
    var canvas = Module.canvas.getBoundingClientRect();
    var line = document.getElementById('status').getBoundingClientRect();
    post(name, ['canvas', canvas.left, canvas.top, canvas.width, canvas.height, 'status', line.bottom,
                    'window', innerWidth, innerHeight].map(function (v) {
      return typeof v === 'number' ? Math.round(v) : v;
    }).join(' ') + '\n');
  }
  // "WIDTH HEIGHT VIEWPORT-WIDTH VIEWPORT-HEIGHT SCREEN-WIDTH SCREEN-HEIGHT
  // WINDOW-WIDTH WINDOW-HEIGHT", device pixels.
  function drawingBuffer() {
    var gl = Module.ctx, viewport = gl.getParameter(gl.VIEWPORT), scale = devicePixelRatio || 1;
    return [gl.drawingBufferWidth, gl.drawingBufferHeight, viewport[2], viewport[3],
            Math.round(screen.width * scale), Math.round(screen.height * scale),
            Math.round(innerWidth * scale), Math.round(innerHeight * scale)].join(' ') + '\n';
  }
  // Enter, wait until the drawing buffer has the screen's size, leave, wait
  // until it is 800 x 600 again, then Escape. A window takes its full-screen
  // size some frames after the browser says it is in full screen; each wait
  // ends after 300 frames, reporting what it found, and a refusal is
  // reported after 300 frames.
  var fullScreenChanges = 0, changedAt = -1;
  function fullScreenStep(frame) {
    var button = document.getElementById('fullscreen');
    if (frame === fullScreenAt) {
      document.addEventListener('fullscreenchange', function () { fullScreenChanges++; changedAt = -1; });
      post('button-before', button.textContent + '\n');
      button.click();
      return;
    }
    if (changedAt < 0) changedAt = frame;
    var gl = Module.ctx, waited = frame - changedAt >= 300;
    var screenSized = gl.drawingBufferWidth === Math.round(screen.width * (devicePixelRatio || 1));
    if (fullScreenChanges === 0 && frame === fullScreenAt + 300) {
      post('in-full-screen', 'refused: ' + document.getElementById('problem').textContent + '\n');
      escapeAt = frame + 1;
    } else if (fullScreenChanges === 1 && (screenSized || waited)) {
      fullScreenChanges++;
      post('in-full-screen', drawingBuffer());
      post('button-in', button.textContent + '\n');
      button.click();
    } else if (fullScreenChanges === 3 && (gl.drawingBufferWidth === 800 || waited)) {
      fullScreenChanges++;
      post('after-full-screen', drawingBuffer());
      post('button-after', button.textContent + '\n');
      escapeAt = frame;
    }
  }
  function reportTime(name) { post(name + '-ms', Math.round(performance.now()) + '\n'); }

  var page = {print: Module.print, printErr: Module.printErr, onFrame: Module.onFrame,
              onExit: Module.onExit, onAbort: Module.onAbort, onCannotPlay: Module.onCannotPlay};
  Module.print = function (line) {
    page.print(line);
    lines.push(line);
    if (lines.length >= 500) flushLines();
  };
  Module.printErr = function (line) {
    page.printErr(line);
    post('errors', line + '\n');
  };
  Module.onStartupStep = function (step) { reportTime(step); };
  Module.onFrame = function (frame, scene) {
    page.onFrame(frame, scene);
    if (frame === 0) reportTime('first-frame');
    if (frame === 1000) post('status-at-1000', status());
    if (wanted.indexOf(frame) >= 0) readFrame(frame);
    if (frame === layoutAt) reportLayout('layout');
    if (frame === loseAt) {
      var extension = Module.ctx.getExtension('WEBGL_lose_context');
      post('lost', (extension ? 'lost after frame ' + frame : 'no WEBGL_lose_context') + '\n');
      if (extension) extension.loseContext();
    }
    if (fullScreenAt >= 0) fullScreenStep(frame);
    // Between passes, as a real key press arrives.
    if (frame === escapeAt) setTimeout(pressEscape, 0);
  };
  Module.onExit = function (code) {
    page.onExit(code);
    flushLines();
    post('status-at-end', status());
    post('problem', document.getElementById('problem').textContent + '\n');
    // The runtime's last steps come after this hook; the page is seen as
    // they leave it.
    setTimeout(function () {
      reportLayout('layout-at-end');
      post('exit', code + '\n');
    }, 100);
  };
  Module.onAbort = function (what) {
    page.onAbort(what);
    flushLines();
    post('errors', 'aborted: ' + what + '\n');
    post('exit', 'aborted\n');
  };
  Module.onCannotPlay = function (message) {
    if (page.onCannotPlay) page.onCannotPlay(message);
    post('status-at-end', status());
    post('exit', 'cannot play\n');
  };
  Module.onRuntimeInitialized = function () { reportTime('runtime-ready'); };
  window.addEventListener('error', function (event) { post('errors', 'error: ' + event.message + '\n'); });
})();
