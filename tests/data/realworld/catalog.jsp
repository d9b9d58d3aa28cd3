<%@ page contentType="text/vnd.wap.wml;charset=UTF-8" %>
<%@ taglib uri="http://java.sun.com/jstl/core" prefix="c" %>
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="shop" title="Wallpapers">
    <p>
      <c:forEach var="w" items="${wallpapers}">
        <a href="#w<c:out value="${w.id}"/>"><c:out value="${w.name}"/></a><br/>
      </c:forEach>
    </p>
  </card>
<c:forEach var="w" items="${wallpapers}">
  <card id="w<c:out value="${w.id}"/>" title="Wallpaper">
    <p>
      <c:out value="${w.name}"/> - <c:out value="${w.price}"/> €<br/>
      <c:if test="${w.animated}"><i>animated</i><br/></c:if>
      <a href="buy.jsp?id=<c:out value="${w.id}"/>&amp;fmt=gif">Buy</a>
    </p>
  </card>
</c:forEach>
</wml>
