"""The two physics guides of the help dock, Italian and English, written as
the toolkit's rich-text HTML (the form that QTextEdit::toHtml gives and
Designer stores).

Each guide is a list of blocks: a level-2 title, an introduction, a rule,
then level-3 section headings each followed by paragraphs. In paragraphs,
**name** sets a quantity's name in bold; formulas stand in paragraphs of
their own in "Courier New". The two guides have the same sections in the same
order.
"""

import re
from xml.sax.saxutils import escape

_HEAD = ('<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0//EN" "http://www.w3.org/TR/REC-html40/strict.dtd">\n'
         '<html><head><meta name="qrichtext" content="1" /><style type="text/css">\n'
         "p, li { white-space: pre-wrap; }\n"
         "</style></head><body style=\" font-family:'MS Shell Dlg 2'; font-size:8.25pt; font-weight:400; "
         'font-style:normal;">')
_TAIL = "</body></html>"
_BLOCK = "-qt-block-indent:0; text-indent:0px;"
_MARGINS = {
    "h2": " margin-top:16px; margin-bottom:12px; margin-left:0px; margin-right:0px; ",
    "h3": " margin-top:14px; margin-bottom:12px; margin-left:0px; margin-right:0px; ",
    "p": " margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; ",
    "f": " margin-top:0px; margin-bottom:0px; margin-left:12px; margin-right:0px; ",
}


def H2(text):
    return ("h2", text)


def H3(text):
    return ("h3", text)


def P(text):
    return ("p", text)


def F(*lines):
    """A formula paragraph; several lines stand in consecutive paragraphs."""
    return ("f", lines)


HR = ("hr", None)


def _inline(text):
    return re.sub(r"\*\*(.+?)\*\*", r'<span style=" font-weight:600;">\1</span>', escape(text))


def render(blocks):
    out = [_HEAD]
    for kind, content in blocks:
        if kind == "hr":
            out.append("<hr />")
        elif kind == "h2":
            out.append('<h2 style="%s%s"><span style=" font-size:x-large; font-weight:600;">%s</span></h2>'
                       % (_MARGINS["h2"], _BLOCK, escape(content)))
        elif kind == "h3":
            out.append('<h3 style="%s%s"><span style=" font-size:large; font-weight:600;">%s</span></h3>'
                       % (_MARGINS["h3"], _BLOCK, escape(content)))
        elif kind == "p":
            out.append('<p style="%s%s">%s</p>' % (_MARGINS["p"], _BLOCK, _inline(content)))
        elif kind == "f":
            for line in content:
                out.append("<p style=\"%s%s\"><span style=\" font-family:'Courier New';\">%s</span></p>"
                           % (_MARGINS["f"], _BLOCK, escape(line)))
    out[-1] += _TAIL
    return "\n".join(out)


ENGLISH = [
    H2("Ondrivel - Physics guide"),
    P("Ondrivel shows the numerical evolution of the wave function psi(x,y,t) of one particle moving in a plane. "
      "Everything on the screen is computed from the time-dependent Schrodinger equation on a grid. The picture "
      "may be rendered in a scientific way (a faithful, linear map of the data) or in a cinematic way (exposure, "
      "glow and tone mapping that make faint structures visible), but the solver data always stay separate from "
      "the visual effects: no image effect ever changes psi, the norm or any number of the Diagnostics dock."),
    HR,
    H3("1. Time-dependent Schrodinger equation"),
    P("The state of the particle is the complex wave function **psi**(x,y,t). Its evolution in time is fixed by "
      "the time-dependent Schrodinger equation:"),
    F("i hbar dpsi/dt = [ -(hbar^2/2m) Laplacian + V(x,y) ] psi"),
    P("**m** is the mass of the particle, **hbar** the reduced Planck constant, Laplacian = d^2/dx^2 + d^2/dy^2 "
      "the operator of the kinetic energy and **V**(x,y) the potential energy built from the objects of the "
      "Potential Scene (barriers, slits, wells, traps). The kinetic term makes the packet move and spread; the "
      "potential bends it, slows it down and reflects it. The equation is linear: the sum of two solutions is "
      "again a solution, and every interference pattern you will see comes from this."),
    H3("2. Initial Gaussian wave packet"),
    P("Most experiments start from a Gaussian wave packet:"),
    F("psi(x,y,0) = A exp(-[(x-x0)^2+(y-y0)^2]/(4 sigma^2)) exp(i(px x + py y)/hbar)"),
    P("(**x0**, **y0**) is the centre of the packet, **sigma** its width in position and (**px**, **py**) its "
      "mean momentum; the constant A makes the total probability equal to 1. The Gaussian factor says where the "
      "particle probably is; the plane wave says where it is going: its phase advances by 2 pi every de Broglie "
      "wavelength lambda = 2 pi hbar / p. A narrow packet contains a broad range of momenta, about hbar/(2 sigma) "
      "wide, and therefore spreads quickly: the uncertainty principle at work."),
    H3("3. Probability and phase"),
    P("The wave function is complex; what a measurement sees is the probability density"),
    F("P(x,y) = |psi(x,y)|^2"),
    P("the probability per unit area of finding the particle at (x,y). The **phase** arg(psi) is not a "
      "probability, but it decides interference and the direction of motion. The views of the Rendering tab "
      "show: **Probability** (|psi|^2, bright where the particle is likely to be found); **Phase** (arg(psi) on a "
      "colour wheel: the stripes are the wavefronts and their spacing is the local wavelength); **Real** and "
      "**Imaginary** (Re psi and Im psi, which keep oscillating even when |psi|^2 stands still, as in a "
      "stationary state)."),
    H3("4. Split-Step Fourier propagation"),
    P("Each time step dt is computed with the split-step Fourier method. The potential is simple in real space, "
      "the kinetic energy is simple in wave-number space, so the step is split into pieces, each one exact in its "
      "own space:"),
    F("1. psi <- exp(-i V dt/(2 hbar)) psi",
      "2. psi~ = FFT[psi]",
      "3. psi~ <- exp[-i hbar (kx^2+ky^2) dt/(2m)] psi~",
      "4. psi = inverse FFT[psi~]",
      "5. psi <- exp(-i V dt/(2 hbar)) psi"),
    P("Steps 1 and 5 are the two half potential phases, step 3 the kinetic phase. Every factor has modulus 1, "
      "so the method keeps the norm exactly; the symmetric splitting makes the error "
      "of one step of order dt^3. The grid must resolve the wavelength: with spacing dx the largest wave number "
      "is pi/dx, so the momenta of the packet must stay well below hbar pi/dx."),
    H3("5. Barrier and tunneling"),
    P("A packet moving along x with momentum px carries the longitudinal kinetic energy"),
    F("Ex = px^2/(2m)"),
    P("Compare it with the barrier height **V0**. A classical particle passes when Ex > V0 and bounces back when "
      "Ex < V0. In quantum mechanics part of the wave gets through even when Ex < V0: inside the barrier the wave "
      "function decays exponentially but does not vanish, and what reaches the far side goes on as a transmitted "
      "wave. This is **tunneling**. For a plane wave of energy E < V0 and a one-dimensional barrier of "
      "thickness a the transmission is"),
    F("T = 1 / {1 + V0^2 sinh^2(kappa a) / [4E(V0-E)]}",
      "kappa = sqrt[2m(V0-E)]/hbar"),
    P("Use this formula as a reference, not as an exact prediction. A packet is a superposition of many energies "
      "around Ex, and T grows steeply with E: the more energetic components tunnel much more easily. The "
      "numerical transmission of the packet is an average over its spread of energies and is usually larger than "
      "T(Ex). A thicker or higher barrier lowers T roughly as exp(-2 kappa a)."),
    H3("6. Double slit"),
    P("The packet meets a wall with two openings. Behind the wall the two parts of the same wave function "
      "overlap: where their phases agree the probability grows, where they are opposite it cancels. The fringes "
      "come from the propagation of this one coherent wave function alone; none are drawn artificially. At a "
      "distance L behind the wall the fringe spacing is about lambda L / d, with d the distance between the "
      "slits; with one slit only the fringes disappear and the broad diffraction envelope remains."),
    H3("7. Reflection and transmission"),
    P("**PR** and **PT** are the integrals of |psi|^2 to the left and to the right of the barrier:"),
    F("PR = integral of |psi|^2 over x < x_barrier",
      "PT = integral of |psi|^2 over x > x_barrier"),
    P("While the packet still overlaps the barrier, part of the probability sits inside it and the two numbers "
      "mean little. Read them after the reflected and the transmitted parts have clearly separated: then "
      "PR + PT equals the norm (less what the absorbing layer has removed) and PT is the transmission probability "
      "of the experiment."),
    H3("8. Numerical units"),
    P("The program works in dimensionless units with **hbar = 1** and usually m = 1: lengths, times and energies "
      "are plain numbers. With hbar = m = 1 a packet of momentum 2.5 moves at speed 2.5 and has kinetic energy "
      "3.125. Physical units appear only after a scale has been chosen (an electron in a nanostructure, an atom "
      "in an optical lattice): the Time dock then shows an indicative real-world time. Ratios, interference and "
      "tunneling probabilities do not depend on this choice."),
    H3("8b. Potential editor"),
    H3("Numerical universe and boundaries"),
    P("The simulated universe is the rectangle Universe X by Universe Y covered by the FFT grid. The Fourier "
      "transform treats this rectangle as periodic: a packet that leaves on the right comes back on the left "
      "(**wrap-around**) and may interfere with itself in a way no real experiment shows. To prevent this, an "
      "absorbing layer damps the wave function near the edges after every step:"),
    F("psi <- psi exp[-eta dt f(x,y)]"),
    P("**eta** is the absorption strength; f(x,y) is zero inside and rises smoothly across the peripheral layer, "
      "whose width is a fraction of each axis. The loss of norm is then intentional: it is the probability that "
      "has left the simulated region, as if the particle had flown off towards a distant detector. Recommended "
      "settings: universe 40.96 x 40.96, grid 512 x 512 (dx = dy = 0.08), layer 0.15, strength 8.0. A strength "
      "that is too large makes the layer itself reflect."),
    P("Potentials can also be drawn with the mouse: tick **Edit potential in viewport** in the Object tab and "
      "choose the tool. A rectangle is dragged from corner to corner; a circle is pressed at its centre and "
      "dragged out to its radius; the height V0 comes from the matching parameter page. Without the Potential "
      "Scene a drag edits the single legacy geometry; with the Potential Scene on, every completed drag adds a "
      "new object."),
    H3("9. Probability current"),
    P("The flow of probability is described by the current density"),
    F("J = (hbar/m) Im[psi* grad(psi)]"),
    P("which obeys the continuity equation dP/dt + div J = 0: probability is neither created nor destroyed, it "
      "flows. For a plane wave J = P p/m, density times velocity. The vectors and streamlines drawn in the "
      "viewport follow J; they are display only and do not touch the evolution. Streamlines show how probability "
      "goes round an obstacle or through a slit."),
    H3("Potential contours"),
    P("Potential contours are lines of equal V, found on the grid by the marching-squares algorithm, like the "
      "contour lines of a map. For a smooth potential they are equipotentials: the classical force -grad V is "
      "perpendicular to them and strongest where they crowd together. An obstacle whose potential is either 0 or "
      "V0 (a rectangle, a slit wall) gives one boundary contour that outlines its shape."),
    H3("13.5 Probability / intensity contours"),
    P("Probability contours are lines of equal |psi|^2. With linear spacing they mark equal fractions of the "
      "maximum; with logarithmic spacing they reach several decades below the maximum, so that faint tails, the "
      "tunnelled part of a packet or weak diffraction fringes become visible. They are display only; their colours "
      "run from faint blue for the lowest levels to warm white near the peak."),
    H3("10. Rendering"),
    P("**Scientific** rendering is linear and without bloom: brightness is proportional to the quantity shown, "
      "the right choice for reading values. **Presentation** and **Cinematic** use exposure, a bright pass, blur, "
      "bloom and tone mapping to bring out faint structures, and Cinematic a logarithmic scale as well. All "
      "these effects act on the displayed pixels only: the wave function, the norm, the energies and the "
      "diagnostics are unaffected."),
    H3("11. What is not simulated yet"),
    P("The program follows a single particle without spin, in a pure state. Not simulated yet: stochastic "
      "single-shot collapse during the evolution, **spin**, **entanglement** between particles and **density "
      "matrices** for mixed states and decoherence. What you see is the unitary evolution of one wave function, "
      "plus the explicit measurement operations of the Measurement tab."),
    H3("11. Position measurement"),
    P("**Measure** draws detection events from |psi|^2 by the Born rule, as if many identical copies of the "
      "system had each been measured once. It works on an ensemble and does not collapse the state shown, so the "
      "evolution goes on undisturbed. With the absorbing layer the sampling is conditional on the particle still "
      "being in the domain: the probabilities are divided by the remaining norm. After many shots the cloud of "
      "hits reproduces |psi|^2."),
    H3("12. Detector screen"),
    P("The detector screen is a vertical strip at **Detector X**. In snapshot mode the hits are sampled inside "
      "the strip from the current |psi|^2 and collected in a histogram along Y, like a photographic plate "
      "exposed for an instant. In temporal flux mode the screen integrates in time the probability current that "
      "crosses it from left to right; only positive Jx counts:"),
    F("H(y) = integral over t of max(Jx(x_d, y, t), 0) dt"),
    P("This is the distribution of arrival positions, the quantity a real detector records."),
    H3("12.3 Flux reference and convergence"),
    P("The accumulated-flux curve H(y), normalised, is the expected distribution of arrivals; the histogram of "
      "sampled arrivals is what a finite number of shots gives. Their agreement is measured by the **total "
      "variation distance**"),
    F("D_TV = 1/2 sum_i |p_i - q_i|"),
    P("with p_i and q_i the probabilities of bin i in the two distributions: 0 means identical distributions, "
      "1 means no overlap. For N random shots D_TV shrinks roughly as 1/sqrt(N): statistics, not physics, limits "
      "the agreement."),
    H3("13. 1D cross-section analysis"),
    P("The Cross-section tab of the Analysis dock shows a horizontal or vertical line through the wave function "
      "with |psi|^2, Re psi, Im psi or the phase along it. The line itself is drawn in the viewport, so you can "
      "see where the section is taken. It is the best way to read fringe spacings, the decay inside a barrier or "
      "the nodes of a bound state."),
    H3("13.2 Observable time series"),
    P("The time series show the observables against time: the centroids <x> and <y>, the widths sigma_x and "
      "sigma_y, the norm, the absorbed probability, P_R and P_T. They come from a bounded history of "
      "observables; when it is full the oldest samples are dropped. A free packet shows <x> growing linearly and "
      "its width growing as"),
    F("sigma(t) = sigma sqrt(1 + (hbar t / (2 m sigma^2))^2)"),
    H3("13.3 Energy analysis"),
    P("The energy is split into its kinetic and potential parts:"),
    F("T = <psi| -(hbar^2/2m) Laplacian |psi>",
      "V = <psi| V |psi>",
      "H = T + V"),
    P("The **drift** in percent, 100 (H(t) - H(0)) / |H(0)|, tells how well the numerics keep the energy. In a "
      "closed system H stays constant while T and V exchange energy, as in the oscillation in a trap. With the "
      "absorbing layer the system is open: probability and energy leave through the layer and H decreases, "
      "which is not a numerical error."),
    H3("13.6 Momentum-space Ondrivel"),
    P("The momentum view shows |psi~(px,py)|^2, the probability density of momentum, obtained by Fourier "
      "transform of the same state the position view shows; nothing else is simulated. The convention is"),
    F("psi~(px,py) = 1/(2 pi hbar)",
      "              integral psi(x,y) exp[-i(px x + py y)/hbar] dx dy"),
    P("Try it with a single slit: a wide slit leaves the momentum distribution narrow, a narrow slit broadens it, "
      "because confining the particle in y spreads py. In this view the cross-section switches to momentum axes "
      "and plots |psi~|^2; potentials, contours, detectors and current arrows belong to position space and are "
      "hidden. A free particle keeps its momentum distribution: only the phases change."),
    H3("14. Experiment persistence"),
    P("**Save Experiment** and **Load Experiment** in the File menu write and read a versioned JSON "
      "configuration: the controls, the Potential Scene, the initial state and the settings of every experiment. "
      "Loading rebuilds the simulation and restarts from t = 0; the built-in guided experiments are never "
      "overwritten, and older files are upgraded when read."),
    H3("15. Potential Scene"),
    P("The Potential Scene holds several independent objects. **Add current** adds the geometry shown in the "
      "Object tab as a new object; selecting an object in the list loads it into the editor, which then works as "
      "an inspector; **Apply changes** copies the edited values back; an object can be disabled without being "
      "deleted. The potentials of the enabled objects add up:"),
    F("V(x,y) = V_1(x,y) + V_2(x,y) + ... + V_n(x,y)"),
    P("Files of schema 1 keep the legacy single geometry. A saved document holds the configuration only: no "
      "psi(t), no measurement hits, no detector flux and no history of observables; the run is computed again "
      "after loading."),
    H3("16. Resonant tunnelling / double barrier"),
    P("Two barriers with a gap of width L between them form a cavity. At certain energies the wave bouncing "
      "inside the cavity adds up in phase with itself, and the transmission rises almost to 1 although each "
      "barrier alone lets little through: this is **resonant tunnelling**. With exactly two enabled barriers the "
      "Resonance analysis compares the packet with a stationary one-dimensional reference, scanning the energy "
      "Ex or the cavity width L. **P_cav**, the probability inside the cavity, shows the loading of the "
      "quasi-bound state and its slow leaking out."),
    H3("Continuous potentials"),
    P("Besides walls with sharp edges the scene can hold smooth fields: in order, the Gaussian, the harmonic, "
      "the linear and the softened radial potential, with r the distance from the centre (xc, yc):"),
    F("V = A exp[-(x-xc)^2/(2 sx^2) - (y-yc)^2/(2 sy^2)]",
      "V = Voff + 1/2 kx (x-xc)^2 + 1/2 ky (y-yc)^2",
      "V = Voff + Fx (x-xr) + Fy (y-yr)",
      "V = g / sqrt(r^2 + eps^2)"),
    P("A negative Gaussian amplitude makes a well, a positive one a soft barrier. A harmonic trap with k > 0 "
      "confines, with angular frequency omega = sqrt(k/m); with k < 0 it is an inverted parabola. The linear "
      "field is a uniform force -grad V, like gravity. The softened radial potential is a Coulomb-like well with "
      "a finite core eps. For all of them the contours become equipotentials."),
    H3("18. Bound states and quantum well"),
    P("In a well the energy takes only discrete values. The bound states along X are extracted by "
      "**imaginary-time evolution**: replacing t by -i tau turns the Schrodinger equation into a diffusion "
      "equation in which each eigenstate decays as exp(-E tau/hbar), so a trial function relaxes to the ground "
      "state; the excited states follow in the same way, keeping the function orthogonal to the states already "
      "found. An eigenstate prepared on its own stands still (only its global phase turns); a superposition of "
      "two eigenstates beats, the probability sloshing back and forth with period"),
    F("T_beat = 2 pi hbar / |Delta E|"),
    P("where Delta E is the difference of the two energies: timing the beat measures an energy difference."),
]

ITALIAN = [
    H2("Ondrivel - Guida fisica"),
    P("Ondrivel mostra l'evoluzione numerica della funzione d'onda psi(x,y,t) di una particella che si muove in "
      "un piano. Tutto cio' che compare sullo schermo e' calcolato dall'equazione di Schrodinger dipendente dal "
      "tempo su una griglia. L'immagine puo' essere resa in modo scientifico (una mappa lineare e fedele dei dati) "
      "o cinematografico (esposizione, bagliore e tone mapping che rendono visibili le strutture deboli), ma i "
      "dati del solutore restano sempre separati dagli effetti visivi: nessun effetto d'immagine cambia psi, la "
      "norma o i numeri del pannello Diagnostics."),
    HR,
    H3("1. Equazione di Schrodinger dipendente dal tempo"),
    P("Lo stato della particella e' la funzione d'onda complessa **psi**(x,y,t). La sua evoluzione nel tempo e' "
      "fissata dall'equazione di Schrodinger dipendente dal tempo:"),
    F("i hbar dpsi/dt = [ -(hbar^2/2m) Laplaciano + V(x,y) ] psi"),
    P("**m** e' la massa della particella, **hbar** la costante di Planck ridotta, Laplaciano = d^2/dx^2 + "
      "d^2/dy^2 l'operatore dell'energia cinetica e **V**(x,y) l'energia potenziale costruita dagli oggetti della "
      "Potential Scene (barriere, fenditure, buche, trappole). Il termine cinetico fa muovere e allargare il "
      "pacchetto; il potenziale lo devia, lo rallenta e lo riflette. L'equazione e' lineare: la somma di due "
      "soluzioni e' ancora una soluzione, e da qui nasce ogni figura d'interferenza che vedrete."),
    H3("2. Pacchetto gaussiano iniziale"),
    P("La maggior parte degli esperimenti parte da un pacchetto d'onda gaussiano:"),
    F("psi(x,y,0) = A exp(-[(x-x0)^2+(y-y0)^2]/(4 sigma^2)) exp(i(px x + py y)/hbar)"),
    P("(**x0**, **y0**) e' il centro del pacchetto, **sigma** la sua larghezza in posizione e (**px**, **py**) "
      "il suo impulso medio; la costante A rende uguale a 1 la probabilita' totale. Il fattore gaussiano dice dove "
      "si trova probabilmente la particella; l'onda piana dice dove sta andando: la sua fase avanza di 2 pi a ogni "
      "lunghezza d'onda di de Broglie lambda = 2 pi hbar / p. Un pacchetto stretto contiene un ampio intervallo "
      "di impulsi, largo circa hbar/(2 sigma), e quindi si allarga in fretta: e' il principio di indeterminazione "
      "al lavoro."),
    H3("3. Probabilita' e fase"),
    P("La funzione d'onda e' complessa; cio' che una misura vede e' la densita' di probabilita'"),
    F("P(x,y) = |psi(x,y)|^2"),
    P("cioe' la probabilita' per unita' di area di trovare la particella in (x,y). La **fase** arg(psi) non e' "
      "una probabilita', ma decide l'interferenza e la direzione del moto. Le viste della scheda Rendering "
      "mostrano: **Probability** (|psi|^2, luminosa dove e' probabile trovare la particella); **Phase** (arg(psi) "
      "su una ruota dei colori: le strisce sono i fronti d'onda e la loro distanza e' la lunghezza d'onda locale); "
      "**Real** e **Imaginary** (Re psi e Im psi, che continuano a oscillare anche quando |psi|^2 e' fermo, come "
      "in uno stato stazionario)."),
    H3("4. Propagazione Split-Step Fourier"),
    P("Ogni passo temporale dt e' calcolato con il metodo split-step Fourier. Il potenziale e' semplice nello "
      "spazio reale, l'energia cinetica e' semplice nello spazio dei numeri d'onda: il passo viene quindi diviso "
      "in pezzi, ciascuno esatto nel proprio spazio:"),
    F("1. psi <- exp(-i V dt/(2 hbar)) psi",
      "2. psi~ = FFT[psi]",
      "3. psi~ <- exp[-i hbar (kx^2+ky^2) dt/(2m)] psi~",
      "4. psi = FFT inversa[psi~]",
      "5. psi <- exp(-i V dt/(2 hbar)) psi"),
    P("I passi 1 e 5 sono le due mezze fasi di potenziale, il passo 3 la fase cinetica. Ogni fattore ha modulo "
      "1, quindi il metodo conserva esattamente la norma; la suddivisione simmetrica rende "
      "l'errore di un passo dell'ordine di dt^3. La griglia deve risolvere la lunghezza d'onda: con passo dx il "
      "massimo numero d'onda e' pi/dx, quindi gli impulsi del pacchetto devono restare ben al di sotto di "
      "hbar pi/dx."),
    H3("5. Barriera e tunneling"),
    P("Un pacchetto che si muove lungo x con impulso px porta l'energia cinetica longitudinale"),
    F("Ex = px^2/(2m)"),
    P("Confrontatela con l'altezza della barriera **V0**. Una particella classica passa se Ex > V0 e torna "
      "indietro se Ex < V0. In meccanica quantistica una parte dell'onda passa anche quando Ex < V0: dentro la "
      "barriera la funzione d'onda decade esponenzialmente ma non si annulla, e cio' che arriva dall'altra parte "
      "prosegue come onda trasmessa. Questo e' il **tunneling**. Per un'onda piana di energia E < V0 e una "
      "barriera unidimensionale di spessore a la trasmissione e'"),
    F("T = 1 / {1 + V0^2 sinh^2(kappa a) / [4E(V0-E)]}",
      "kappa = sqrt[2m(V0-E)]/hbar"),
    P("Usate questa formula come riferimento, non come previsione esatta. Un pacchetto e' una sovrapposizione di "
      "molte energie attorno a Ex, e T cresce rapidamente con E: le componenti piu' energetiche attraversano "
      "molto piu' facilmente. La trasmissione numerica del pacchetto e' una media sulla sua distribuzione di "
      "energie ed e' di solito maggiore di T(Ex). Una barriera piu' spessa o piu' alta riduce T circa come "
      "exp(-2 kappa a)."),
    H3("6. Doppia fenditura"),
    P("Il pacchetto incontra una parete con due aperture. Dietro la parete le due parti della stessa funzione "
      "d'onda si sovrappongono: dove le fasi concordano la probabilita' cresce, dove sono opposte si annulla. Le "
      "frange nascono soltanto dalla propagazione di quest'unica funzione d'onda coerente; nessuna e' disegnata "
      "artificialmente. A distanza L dietro la parete la spaziatura delle frange e' circa lambda L / d, con d la "
      "distanza fra le fenditure; con una sola fenditura le frange scompaiono e resta l'ampio inviluppo di "
      "diffrazione."),
    H3("7. Riflessione e trasmissione"),
    P("**PR** e **PT** sono gli integrali di |psi|^2 a sinistra e a destra della barriera:"),
    F("PR = integrale di |psi|^2 su x < x_barriera",
      "PT = integrale di |psi|^2 su x > x_barriera"),
    P("Finche' il pacchetto si sovrappone ancora alla barriera, parte della probabilita' sta al suo interno e i "
      "due numeri dicono poco. Leggeteli dopo che la parte riflessa e quella trasmessa si sono separate bene: "
      "allora PR + PT e' uguale alla norma (meno cio' che lo strato assorbente ha tolto) e PT e' la probabilita' "
      "di trasmissione dell'esperimento."),
    H3("8. Unita' numeriche"),
    P("Il programma lavora in unita' adimensionali con **hbar = 1** e di solito m = 1: lunghezze, tempi ed "
      "energie sono numeri puri. Con hbar = m = 1 un pacchetto di impulso 2.5 si muove con velocita' 2.5 e ha "
      "energia cinetica 3.125. Le unita' fisiche compaiono solo dopo aver scelto una scala (un elettrone in una "
      "nanostruttura, un atomo in un reticolo ottico): il pannello Time mostra allora un tempo reale indicativo. "
      "Rapporti, interferenza e probabilita' di tunneling non dipendono da questa scelta."),
    H3("8b. Editor del potenziale"),
    H3("Universo numerico e bordi"),
    P("L'universo simulato e' il rettangolo Universe X per Universe Y coperto dalla griglia FFT. La trasformata "
      "di Fourier tratta questo rettangolo come periodico: un pacchetto che esce a destra rientra a sinistra "
      "(**wrap-around**) e puo' interferire con se stesso in un modo che nessun esperimento reale mostra. Per "
      "evitarlo, uno strato assorbente smorza la funzione d'onda vicino ai bordi dopo ogni passo:"),
    F("psi <- psi exp[-eta dt f(x,y)]"),
    P("**eta** e' l'intensita' dell'assorbimento; f(x,y) e' nulla all'interno e cresce con dolcezza attraverso "
      "lo strato periferico, la cui larghezza e' una frazione di ciascun asse. La perdita di norma e' allora "
      "voluta: e' la probabilita' che ha lasciato la regione simulata, come se la particella fosse volata verso "
      "un rivelatore lontano. Impostazioni consigliate: universo 40.96 x 40.96, griglia 512 x 512 "
      "(dx = dy = 0.08), strato 0.15, intensita' 8.0. Un'intensita' troppo grande fa riflettere lo strato stesso."),
    P("I potenziali si possono anche disegnare con il mouse: spuntate **Edit potential in viewport** nella scheda "
      "Object e scegliete lo strumento. Un rettangolo si trascina da un angolo all'angolo opposto; un cerchio si "
      "preme nel centro e si trascina fino al raggio; l'altezza V0 viene dalla pagina di parametri "
      "corrispondente. Senza la Potential Scene un trascinamento modifica l'unica geometria legacy; con la "
      "Potential Scene attiva ogni trascinamento completato aggiunge un nuovo oggetto."),
    H3("9. Corrente di probabilita'"),
    P("Il flusso di probabilita' e' descritto dalla densita' di corrente"),
    F("J = (hbar/m) Im[psi* grad(psi)]"),
    P("che obbedisce all'equazione di continuita' dP/dt + div J = 0: la probabilita' non si crea e non si "
      "distrugge, scorre. Per un'onda piana J = P p/m, densita' per velocita'. I vettori e le linee di flusso "
      "disegnati nella vista seguono J; servono solo alla visualizzazione e non toccano l'evoluzione. Le linee di "
      "flusso mostrano come la probabilita' aggira un ostacolo o attraversa una fenditura."),
    H3("Contorni del potenziale"),
    P("I contorni del potenziale sono linee di uguale V, trovate sulla griglia con l'algoritmo marching squares, "
      "come le curve di livello di una carta geografica. Per un potenziale continuo sono equipotenziali: la forza "
      "classica -grad V e' perpendicolare a esse e piu' intensa dove si addensano. Un ostacolo il cui potenziale "
      "vale 0 oppure V0 (un rettangolo, la parete di una fenditura) da' un unico contorno di bordo che ne "
      "disegna la forma."),
    H3("13.5 Contorni di probabilita / intensita"),
    P("I contorni di probabilita' sono linee di uguale |psi|^2. Con spaziatura lineare segnano frazioni uguali "
      "del massimo; con spaziatura logaritmica scendono di parecchie decadi sotto il massimo, cosi' che diventano "
      "visibili le code deboli, la parte di pacchetto passata per tunneling o le frange di diffrazione piu' "
      "tenui. Servono solo alla visualizzazione; i colori vanno dal blu tenue dei livelli piu' bassi al bianco "
      "caldo vicino al picco."),
    H3("10. Rendering"),
    P("Il rendering **Scientific** e' lineare e senza bloom: la luminosita' e' proporzionale alla grandezza "
      "mostrata, la scelta giusta per leggere i valori. **Presentation** e **Cinematic** usano esposizione, "
      "bright pass, sfocatura, bloom e tone mapping per far emergere le strutture deboli, e Cinematic anche la "
      "scala logaritmica. Tutti "
      "questi effetti agiscono solo sui pixel mostrati: funzione d'onda, norma, energie e diagnostica non "
      "cambiano."),
    H3("11. Cosa non e' ancora simulato"),
    P("Il programma segue una sola particella senza spin, in uno stato puro. Non sono ancora simulati: il "
      "collasso stocastico a colpo singolo durante l'evoluzione, lo **spin**, l'**entanglement** fra particelle e "
      "le **matrici densita'** per stati misti e decoerenza. Cio' che vedete e' l'evoluzione unitaria di una "
      "funzione d'onda, piu' le operazioni di misura esplicite della scheda Measurement."),
    H3("11. Misura di posizione"),
    P("**Measure** estrae eventi di rivelazione da |psi|^2 secondo la regola di Born, come se molte copie "
      "identiche del sistema fossero state misurate una volta ciascuna. Lavora su un ensemble e non fa collassare "
      "lo stato mostrato, quindi l'evoluzione prosegue indisturbata. Con lo strato assorbente il campionamento e' "
      "condizionato alla presenza della particella nel dominio: le probabilita' sono divise per la norma "
      "rimasta. Dopo molti colpi la nuvola di eventi riproduce |psi|^2."),
    H3("12. Schermo di rivelazione"),
    P("Lo schermo di rivelazione e' una striscia verticale in **Detector X**. In modalita' istantanea gli eventi "
      "sono estratti nella striscia dall'attuale |psi|^2 e raccolti in un istogramma lungo Y, come una lastra "
      "fotografica esposta per un istante. In modalita' di flusso temporale lo schermo integra nel tempo la "
      "corrente di probabilita' che lo attraversa da sinistra a destra; conta solo Jx positivo:"),
    F("H(y) = integrale in t di max(Jx(x_d, y, t), 0) dt"),
    P("Questa e' la distribuzione delle posizioni di arrivo, la grandezza che registra un rivelatore reale."),
    H3("12.3 Curva di riferimento e convergenza"),
    P("La curva del flusso accumulato H(y), normalizzata, e' la distribuzione attesa degli arrivi; l'istogramma "
      "degli arrivi campionati e' cio' che da' un numero finito di colpi. Il loro accordo si misura con la "
      "**distanza di variazione totale**"),
    F("D_TV = 1/2 sum_i |p_i - q_i|"),
    P("dove p_i e q_i sono le probabilita' del canale i nelle due distribuzioni: 0 significa distribuzioni "
      "identiche, 1 nessuna sovrapposizione. Per N colpi casuali D_TV diminuisce circa come 1/sqrt(N): e' la "
      "statistica, non la fisica, a limitare l'accordo."),
    H3("13. Analisi di sezione 1D"),
    P("La scheda Cross-section del pannello Analysis mostra una linea orizzontale o verticale attraverso la "
      "funzione d'onda, con |psi|^2, Re psi, Im psi o la fase lungo di essa. La linea stessa e' disegnata nella "
      "vista, cosi' si vede dove e' presa la sezione. E' il modo migliore per leggere la spaziatura delle frange, "
      "il decadimento dentro una barriera o i nodi di uno stato legato."),
    H3("13.2 Serie temporali degli osservabili"),
    P("Le serie temporali mostrano gli osservabili in funzione del tempo: i baricentri <x> e <y>, le larghezze "
      "sigma_x e sigma_y, la norma, la probabilita' assorbita, P_R e P_T. Provengono da una storia limitata di "
      "osservabili; quando e' piena i campioni piu' vecchi vengono scartati. Un pacchetto libero mostra <x> che "
      "cresce linearmente e una larghezza che cresce come"),
    F("sigma(t) = sigma sqrt(1 + (hbar t / (2 m sigma^2))^2)"),
    H3("13.3 Analisi energetica"),
    P("L'energia si divide nella parte cinetica e in quella potenziale:"),
    F("T = <psi| -(hbar^2/2m) Laplaciano |psi>",
      "V = <psi| V |psi>",
      "H = T + V"),
    P("La **deriva** in percento, 100 (H(t) - H(0)) / |H(0)|, dice quanto bene i calcoli conservano l'energia. "
      "In un sistema chiuso H resta costante mentre T e V si scambiano energia, come nell'oscillazione in una "
      "trappola. Con lo strato assorbente il sistema e' aperto: probabilita' ed energia escono attraverso lo "
      "strato e H diminuisce, e questo non e' un errore numerico."),
    H3("13.6 Momentum-space Ondrivel"),
    P("La vista degli impulsi mostra |psi~(px,py)|^2, la densita' di probabilita' dell'impulso, ottenuta con la "
      "trasformata di Fourier dello stesso stato mostrato dalla vista in posizione; non si simula nient'altro. La "
      "convenzione e'"),
    F("psi~(px,py) = 1/(2 pi hbar)",
      "              integrale psi(x,y) exp[-i(px x + py y)/hbar] dx dy"),
    P("Provate con una fenditura singola: una fenditura larga lascia stretta la distribuzione degli impulsi, una "
      "fenditura stretta la allarga, perche' confinare la particella in y allarga py. In questa vista la sezione "
      "passa agli assi degli impulsi e traccia |psi~|^2; potenziali, contorni, rivelatori e frecce di corrente "
      "appartengono allo spazio delle posizioni e sono nascosti. Una particella libera conserva la sua "
      "distribuzione degli impulsi: cambiano solo le fasi."),
    H3("14. Salvataggio degli esperimenti"),
    P("**Save Experiment** e **Load Experiment** nel menu File scrivono e leggono una configurazione JSON con "
      "versione: i controlli, la Potential Scene, lo stato iniziale e le impostazioni di ogni esperimento. Il "
      "caricamento ricostruisce la simulazione e riparte da t = 0; gli esperimenti guidati incorporati non "
      "vengono mai sovrascritti e i file piu' vecchi sono aggiornati alla lettura."),
    H3("15. Potential Scene"),
    P("La Potential Scene contiene piu' oggetti indipendenti. **Add current** aggiunge come nuovo oggetto la "
      "geometria mostrata nella scheda Object; selezionare un oggetto nella lista lo carica nell'editor, che "
      "funziona allora da ispettore; **Apply changes** ricopia i valori modificati; un oggetto si puo' "
      "disattivare senza cancellarlo. I potenziali degli oggetti attivi si sommano:"),
    F("V(x,y) = V_1(x,y) + V_2(x,y) + ... + V_n(x,y)"),
    P("I file con schema 1 conservano l'unica geometria legacy. Un documento salvato contiene solo la "
      "configurazione: niente psi(t), niente eventi di misura, niente flusso del rivelatore e niente storia degli "
      "osservabili; la simulazione viene ricalcolata dopo il caricamento."),
    H3("16. Tunneling risonante / doppia barriera"),
    P("Due barriere separate da uno spazio di larghezza L formano una cavita'. A certe energie l'onda che "
      "rimbalza nella cavita' si somma in fase con se stessa e la trasmissione sale quasi a 1, benche' ciascuna "
      "barriera da sola lasci passare poco: e' il **tunneling risonante**. Con esattamente due barriere attive "
      "l'analisi Resonance confronta il pacchetto con un riferimento stazionario unidimensionale, scandendo "
      "l'energia Ex o la larghezza L della cavita'. **P_cav**, la probabilita' dentro la cavita', mostra il "
      "riempimento dello stato quasi legato e la sua lenta fuga."),
    H3("Potenziali continui"),
    P("Oltre alle pareti con bordi netti la scena puo' contenere campi continui: nell'ordine il potenziale "
      "gaussiano, l'armonico, il lineare e il radiale smussato, con r la distanza dal centro (xc, yc):"),
    F("V = A exp[-(x-xc)^2/(2 sx^2) - (y-yc)^2/(2 sy^2)]",
      "V = Voff + 1/2 kx (x-xc)^2 + 1/2 ky (y-yc)^2",
      "V = Voff + Fx (x-xr) + Fy (y-yr)",
      "V = g / sqrt(r^2 + eps^2)"),
    P("Un'ampiezza gaussiana negativa forma una buca, una positiva una barriera morbida. Una trappola armonica "
      "con k > 0 confina, con pulsazione omega = sqrt(k/m); con k < 0 e' una parabola rovesciata. Il campo "
      "lineare e' una forza uniforme -grad V, come la gravita'. Il potenziale radiale smussato e' una buca di "
      "tipo coulombiano con un nucleo finito eps. Per tutti questi potenziali i contorni diventano "
      "equipotenziali."),
    H3("18. Stati legati e pozzo quantistico"),
    P("In una buca l'energia assume solo valori discreti. Gli stati legati lungo X si estraggono con "
      "l'**evoluzione in tempo immaginario**: sostituendo t con -i tau l'equazione di Schrodinger diventa "
      "un'equazione di diffusione in cui ogni autostato decade come exp(-E tau/hbar), cosi' una funzione di prova "
      "si rilassa sullo stato fondamentale; gli stati eccitati seguono allo stesso modo, mantenendo la funzione "
      "ortogonale agli stati gia' trovati. Un autostato preparato da solo resta fermo (ruota solo la sua fase "
      "globale); una sovrapposizione di due autostati batte, e la probabilita' oscilla avanti e indietro con "
      "periodo"),
    F("T_batt = 2 pi hbar / |Delta E|"),
    P("dove Delta E e' la differenza delle due energie: misurare il battimento significa misurare una differenza "
      "di energia."),
]


def english_html():
    return render(ENGLISH)


def italian_html():
    return render(ITALIAN)
